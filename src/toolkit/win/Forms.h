#pragma once
// TForm: a top-level window built from a component table.

#include "toolkit/core/Exceptions.h"
#include "toolkit/win/ComponentTable.h"
#include "toolkit/win/Controls.h"
#include "toolkit/win/Handle.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tk {

class TForm : public TWinContainer {
public:
    explicit TForm(const FormDef& def);
    ~TForm() override;

    // Runs the creation handler; an exception is shown, not passed on.
    void DoCreate();
    void Show();
    void Close();

    TControl* FindComponent(const std::string& name) const;
    // Looks a component up by name and kind; a missing one is a programming
    // error of the table and raises.
    template <typename T>
    T* Component(const std::string& name) const
    {
        auto* control = dynamic_cast<T*>(FindComponent(name));
        if (!control)
            throw Exception("Component " + name + " not found");
        return control;
    }
    // Binds a component reference of a derived form: Bind(NextStepBtn, "NextStepBtn").
    template <typename T>
    void Bind(T*& reference, const std::string& name) const
    {
        reference = Component<T>(name);
    }

    const std::vector<std::unique_ptr<TControl>>& Components() const { return components_; }
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Build();
    HFONT FontFor(const FontSpec* definition);
    void Centre();

    FormDef def_;
    std::vector<std::unique_ptr<TControl>> components_;
    std::map<std::string, TControl*> byName_;
    std::map<const FontSpec*, UniqueGdiObject> fonts_;
    UniqueGdiObject formFont_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    HWND lastFocus_ = nullptr;
};

} // namespace tk
