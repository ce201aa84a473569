#pragma once
// The controls a form is built from. Each owns its window; the toolkit's
// window procedure finds the control through the window's user data.

#include "toolkit/win/ComponentTable.h"
#include "toolkit/win/Handle.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tk {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

class TWinContainer;

class TControl : public TObject {
public:
    TControl(const ComponentDef& def, TWinContainer* parent);
    ~TControl() override;

    const std::string& Name() const { return name_; }
    HWND Handle() const { return handle_; }
    TWinContainer* Parent() const { return parent_; }
    const ComponentDef& Definition() const { return def_; }

    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    std::string Text() const;
    virtual void SetText(const std::string& text);
    void SetBounds(int left, int top, int width, int height);
    void SetFont(HFONT font);
    HFONT Font() const { return font_; }

    std::function<void(TObject*)> OnClick;

    // A notification the parent received for this control (WM_COMMAND code).
    virtual void Command(WORD code);
    // Brush for WM_CTLCOLOR*: nullptr leaves the system's default.
    virtual HBRUSH ControlColor(HDC dc);
    // Messages of the toolkit's own window classes.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);

    static TControl* FromHandle(HWND handle);

protected:
    // Creates the window; the toolkit's own classes pass through its procedure.
    void CreateHandle(const char* windowClass, DWORD style, DWORD exStyle);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    ComponentDef def_;
    std::string name_;
    TWinContainer* parent_;
    HWND handle_ = nullptr;
    HFONT font_ = nullptr;

    friend LRESULT CALLBACK ToolkitWindowProc(HWND, UINT, WPARAM, LPARAM);
};

LRESULT CALLBACK ToolkitWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the toolkit's window classes once per process.
void RegisterToolkitClasses();

// A control that holds others: panel, group box, page control, page, form.
class TWinContainer : public TControl {
public:
    using TControl::TControl;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    const std::vector<TControl*>& Children() const { return children_; }
    void AddChild(TControl* child) { children_.push_back(child); }
    // Places the aligned children: top, bottom, left, then client.
    void AlignControls();
    // Orders the tab stops among the children by their tab order.
    void ApplyTabOrder();
    // Client rectangle the children are placed in.
    virtual RECT ChildArea() const;

protected:
    virtual void Paint(HDC dc, const RECT& client);

private:
    std::vector<TControl*> children_;
};

class TPanel : public TWinContainer {
public:
    TPanel(const ComponentDef& def, TWinContainer* parent);

protected:
    void Paint(HDC dc, const RECT& client) override;
};

class TGroupBox : public TWinContainer {
public:
    TGroupBox(const ComponentDef& def, TWinContainer* parent);

protected:
    void Paint(HDC dc, const RECT& client) override;
};

class TTabSheet : public TWinContainer {
public:
    TTabSheet(const ComponentDef& def, TWinContainer* parent);
};

class TPageControl : public TWinContainer {
public:
    TPageControl(const ComponentDef& def, TWinContainer* parent);

    void SetActivePage(TTabSheet* page);
    TTabSheet* ActivePage() const { return active_; }
    RECT ChildArea() const override;

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    TTabSheet* active_ = nullptr;
};

class TButton : public TControl {
public:
    TButton(const ComponentDef& def, TWinContainer* parent);
    void Command(WORD code) override;
};

class TCheckBox : public TControl {
public:
    TCheckBox(const ComponentDef& def, TWinContainer* parent);
    bool Checked() const;
    void SetChecked(bool checked);
    void Command(WORD code) override;
    HBRUSH ControlColor(HDC dc) override;
};

class TLabel : public TControl {
public:
    TLabel(const ComponentDef& def, TWinContainer* parent);
    void SetText(const std::string& text) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Sizes the label to its text in its font.
    void AdjustSize();
};

class TCustomEdit : public TControl {
public:
    TCustomEdit(const ComponentDef& def, TWinContainer* parent, DWORD style, DWORD exStyle);
    HBRUSH ControlColor(HDC dc) override;

private:
    UniqueGdiObject brush_;
    COLORREF background_;
};

class TMemo : public TCustomEdit {
public:
    TMemo(const ComponentDef& def, TWinContainer* parent);
};

class TEdit : public TCustomEdit {
public:
    TEdit(const ComponentDef& def, TWinContainer* parent);
};

class TImage : public TControl {
public:
    TImage(const ComponentDef& def, TWinContainer* parent);
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    UniqueGdiObject bitmap_;
    UniqueIcon icon_;
};

class TProgressBar : public TControl {
public:
    TProgressBar(const ComponentDef& def, TWinContainer* parent);
    int Position() const;
    void SetPosition(int position);
};

} // namespace tk
