#pragma once
// Drives a running setup.exe from another process: finds its window and
// controls, reads their state, clicks without blocking, answers its message
// boxes and collects the exit code.

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace ui {

// Polls until the condition holds or the time (milliseconds) is up.
bool WaitFor(const std::function<bool()>& condition, DWORD timeout = 10000);

struct MessageBoxInfo {
    HWND handle = nullptr;
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    bool hasOk = false;
    bool hasCancel = false;
    bool stopIcon = false; // the error icon is shown (known only for a box of this process)
    bool anyIcon = false;
};

// The first visible message box (dialog class #32770) of a process.
std::optional<MessageBoxInfo> FindMessageBox(DWORD process, DWORD timeout = 10000);
// Presses a button of a box (IDOK, IDCANCEL) without waiting.
void Answer(const MessageBoxInfo& box, int button);

class SetupProcess {
public:
    // Starts the program with the current environment, where overrides
    // replace or add variables (TMP, TEMP, ...).
    explicit SetupProcess(const std::string& exe, const std::map<std::string, std::string>& overrides = {});
    SetupProcess(const SetupProcess&) = delete;
    SetupProcess& operator=(const SetupProcess&) = delete;
    ~SetupProcess(); // ends the process if it still runs

    DWORD Id() const { return info_.dwProcessId; }
    // The wizard window once it is visible.
    HWND MainWindow(DWORD timeout = 20000);
    // A component of the wizard window by its row in the window's table.
    HWND Component(int row);

    std::optional<MessageBoxInfo> FindMessageBox(DWORD timeout = 10000)
    {
        return ui::FindMessageBox(Id(), timeout);
    }

    bool Running() const;
    // Exit code, or nullopt when the process did not end in time.
    std::optional<DWORD> WaitForExit(DWORD timeout = 20000);

private:
    PROCESS_INFORMATION info_{};
    HWND main_ = nullptr;
};

std::string Text(HWND window);
bool Visible(HWND window); // the window's own visibility flag
bool Enabled(HWND window);
bool Checked(HWND checkBox);
int ProgressPosition(HWND bar);
int ProgressMaximum(HWND bar);
// Clicks a button without waiting for its handler to finish.
void Click(HWND button);
// The focused window of the thread that owns window.
HWND FocusOf(HWND window);
// Types a key into the thread that owns window, through the system input
// queue (so modifiers count); the window is brought to the foreground first.
void PressKey(HWND window, WORD key, bool control = false);

// The Windows path of this build's x86_64 setup.exe.
std::string SetupExe();

} // namespace ui
