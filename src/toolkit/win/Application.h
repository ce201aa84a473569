#pragma once
// The application object: COM for the user-interface thread, the title, the
// forms and data modules it owns, the message loop and the default error
// display.

#include "toolkit/core/DataModule.h"
#include "toolkit/win/Forms.h"

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace tk {

class TApplication {
public:
    // Initialises COM as a single-threaded apartment and remembers whether
    // that succeeded; a failure is not reported.
    TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;
    // Destroys what is still owned, then uninitialises COM if it was initialised.
    ~TApplication();

    void Initialize();
    // The main form owns the taskbar button; no hidden application window.
    void SetMainFormOnTaskBar(bool value) { mainFormOnTaskBar_ = value; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    // Creates a form; the first one becomes the main form. Its creation
    // handler runs here, and an exception from it is shown, not passed on.
    template <typename F>
    F* CreateForm()
    {
        static_assert(std::is_base_of_v<TForm, F>);
        auto form = std::make_unique<F>();
        F* result = form.get();
        forms_.push_back(std::move(form));
        if (!mainForm_)
            mainForm_ = result;
        result->DoCreate();
        return result;
    }
    template <typename D>
    D* CreateDataModule()
    {
        static_assert(std::is_base_of_v<TDataModule, D>);
        auto module = std::make_unique<D>();
        D* result = module.get();
        modules_.push_back(std::move(module));
        return result;
    }

    TForm* MainForm() const { return mainForm_; }
    bool ComInitialized() const { return comInitialized_; }

    // Shows the main form and dispatches messages until a quit request.
    void Run();
    // Dispatches every waiting message; a quit request is only recorded.
    void ProcessMessages();
    // Posts the quit request.
    void Terminate();
    bool Terminated() const { return terminated_; }

    // The default error display for the exception being handled.
    void HandleException();
    void ShowException(const std::string& message);

    // Destroys the forms and data modules, newest first.
    void DestroyComponents();

private:
    bool ProcessMessage(MSG& message);
    bool IsKeyMessage(const MSG& message);

    bool comInitialized_ = false;
    bool mainFormOnTaskBar_ = false;
    bool terminated_ = false;
    std::string title_;
    TForm* mainForm_ = nullptr;
    std::vector<std::unique_ptr<TForm>> forms_;
    std::vector<std::unique_ptr<TDataModule>> modules_;
};

// The one application object of the process, while it exists.
extern TApplication* Application;

// Shows the exception being handled through the application object (or a
// plain box without one). Called by every toolkit frame that catches.
void HandleCurrentException();

} // namespace tk
