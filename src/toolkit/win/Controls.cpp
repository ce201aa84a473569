#include "toolkit/win/Controls.h"

#include "toolkit/win/Application.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace tk {

namespace {

COLORREF ColorValue(Color color, COLORREF fallback)
{
    switch (color) {
    case Color::BtnFace: return ::GetSysColor(COLOR_BTNFACE);
    case Color::Window: return ::GetSysColor(COLOR_WINDOW);
    case Color::White: return RGB(255, 255, 255);
    case Color::Default: break;
    }
    return fallback;
}

void FillBackground(HDC dc, const RECT& rect)
{
    ::FillRect(dc, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
}

// Paints through BeginPaint/EndPaint, handing the client rectangle along.
template <typename PaintFn>
LRESULT PaintWith(HWND handle, PaintFn paint)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(handle, &ps);
    RECT client;
    ::GetClientRect(handle, &client);
    paint(dc, client);
    ::EndPaint(handle, &ps);
    return 0;
}

} // namespace

// ---------------------------------------------------------------- TControl

TControl::TControl(const ComponentDef& def, TWinContainer* parent) : def_(def), name_(def.name ? def.name : ""), parent_(parent)
{
}

TControl::~TControl()
{
    if (handle_) {
        ::SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        ::DestroyWindow(handle_);
    }
}

void TControl::CreateHandle(const char* windowClass, DWORD style, DWORD exStyle)
{
    RegisterToolkitClasses();
    if (!(def_.options & Hidden) && parent_)
        style |= WS_VISIBLE;
    if (def_.options & Disabled)
        style |= WS_DISABLED;
    const bool focusable = def_.kind == ComponentKind::Button || def_.kind == ComponentKind::Memo ||
        def_.kind == ComponentKind::Edit || def_.kind == ComponentKind::CheckBox;
    if (focusable && def_.tabOrder >= 0 && parent_)
        style |= WS_TABSTOP;
    HWND parentHandle = parent_ ? parent_->Handle() : nullptr;
    handle_ = ::CreateWindowExA(exStyle, windowClass, def_.text, style | (parent_ ? WS_CHILD : 0), def_.left,
        def_.top, def_.width, def_.height, parentHandle, nullptr, ::GetModuleHandleA(nullptr), this);
    if (!handle_)
        throw Exception("Error creating window " + name_);
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (parent_)
        parent_->AddChild(this);
}

TControl* TControl::FromHandle(HWND handle)
{
    return handle ? reinterpret_cast<TControl*>(::GetWindowLongPtrA(handle, GWLP_USERDATA)) : nullptr;
}

bool TControl::Visible() const
{
    return (::GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TControl::SetVisible(bool visible)
{
    ::ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

bool TControl::Enabled() const
{
    return ::IsWindowEnabled(handle_) != FALSE;
}

void TControl::SetEnabled(bool enabled)
{
    ::EnableWindow(handle_, enabled ? TRUE : FALSE);
    ::InvalidateRect(handle_, nullptr, TRUE);
}

std::string TControl::Text() const
{
    const int length = ::GetWindowTextLengthA(handle_);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(handle_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

void TControl::SetText(const std::string& text)
{
    ::SetWindowTextA(handle_, text.c_str());
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    ::SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::SetFont(HFONT font)
{
    font_ = font;
    ::SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void TControl::Command(WORD) {}

HBRUSH TControl::ControlColor(HDC)
{
    return nullptr;
}

LRESULT TControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultProc(message, wParam, lParam);
}

LRESULT TControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(handle_, message, wParam, lParam);
}

// One procedure for every window class of the toolkit. An exception never
// leaves it: the application shows it and the message counts as handled.
LRESULT CALLBACK ToolkitWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* control = static_cast<TControl*>(create->lpCreateParams);
        control->handle_ = handle;
        ::SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    TControl* control = TControl::FromHandle(handle);
    if (!control)
        return ::DefWindowProcA(handle, message, wParam, lParam);
    try {
        return control->WndProc(message, wParam, lParam);
    } catch (...) {
        HandleCurrentException();
        return 0;
    }
}

// ---------------------------------------------------------------- containers

LRESULT TWinContainer::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
            child->Command(HIWORD(wParam));
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = child->ControlColor(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintWith(Handle(), [this](HDC dc, const RECT& client) { Paint(dc, client); });
    default:
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

void TWinContainer::Paint(HDC dc, const RECT& client)
{
    FillBackground(dc, client);
}

RECT TWinContainer::ChildArea() const
{
    RECT client;
    ::GetClientRect(Handle(), &client);
    return client;
}

void TWinContainer::AlignControls()
{
    RECT area = ChildArea();
    const auto place = [&](Align align) {
        for (TControl* child : children_) {
            const ComponentDef& d = child->Definition();
            if (d.align != align)
                continue;
            switch (align) {
            case Align::Top:
                child->SetBounds(area.left, area.top, area.right - area.left, d.height);
                area.top += d.height;
                break;
            case Align::Bottom:
                area.bottom -= d.height;
                child->SetBounds(area.left, area.bottom, area.right - area.left, d.height);
                break;
            case Align::Left:
                child->SetBounds(area.left, area.top, d.width, area.bottom - area.top);
                area.left += d.width;
                break;
            case Align::Client:
                child->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
                break;
            case Align::None:
                break;
            }
        }
    };
    for (Align align : {Align::Top, Align::Bottom, Align::Left, Align::Client})
        place(align);
}

void TWinContainer::ApplyTabOrder()
{
    std::vector<TControl*> stops;
    for (TControl* child : children_)
        if (child->Definition().tabOrder >= 0)
            stops.push_back(child);
    std::stable_sort(stops.begin(), stops.end(),
        [](const TControl* a, const TControl* b) { return a->Definition().tabOrder < b->Definition().tabOrder; });
    // The dialog manager walks children from the top of the z-order down.
    for (TControl* child : stops)
        ::SetWindowPos(child->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TPanel::TPanel(const ComponentDef& def, TWinContainer* parent) : TWinContainer(def, parent)
{
    CreateHandle("TPanel", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT);
}

void TPanel::Paint(HDC dc, const RECT& client)
{
    FillBackground(dc, client);
    if (Definition().options & RaisedBevel) {
        RECT r = client;
        ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    }
}

TGroupBox::TGroupBox(const ComponentDef& def, TWinContainer* parent) : TWinContainer(def, parent)
{
    CreateHandle("TGroupBox", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT);
}

void TGroupBox::Paint(HDC dc, const RECT& client)
{
    FillBackground(dc, client);
    const std::string caption = Text();
    HGDIOBJ oldFont = ::SelectObject(dc, Font() ? Font() : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    RECT frame = client;
    if (!caption.empty())
        frame.top += extent.cy / 2;
    ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        RECT textRect{8, 0, 8 + extent.cx + 4, extent.cy};
        FillBackground(dc, textRect);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(IsWindowEnabled(Handle()) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        ::TextOutA(dc, 10, 0, caption.c_str(), static_cast<int>(caption.size()));
    }
    ::SelectObject(dc, oldFont);
}

TTabSheet::TTabSheet(const ComponentDef& def, TWinContainer* parent) : TWinContainer(def, parent)
{
    // Pages start hidden; the page control shows the active one.
    CreateHandle("TTabSheet", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT);
    ::ShowWindow(Handle(), SW_HIDE);
}

TPageControl::TPageControl(const ComponentDef& def, TWinContainer* parent) : TWinContainer(def, parent)
{
    CreateHandle("TPageControl", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT);
}

RECT TPageControl::ChildArea() const
{
    RECT area = TWinContainer::ChildArea();
    area.left += 4;
    area.top += 6;
    area.right -= 4;
    area.bottom -= 4;
    return area;
}

void TPageControl::Paint(HDC dc, const RECT& client)
{
    FillBackground(dc, client);
    RECT frame = client;
    frame.top += 2;
    ::DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page == active_)
        return;
    HWND focus = ::GetFocus();
    const bool focusInOldPage = active_ && focus && ::IsChild(active_->Handle(), focus);
    if (page)
        ::ShowWindow(page->Handle(), SW_SHOWNA);
    if (active_)
        ::ShowWindow(active_->Handle(), SW_HIDE);
    active_ = page;
    if (focusInOldPage)
        ::SetFocus(::GetAncestor(Handle(), GA_ROOT));
}

// ---------------------------------------------------------------- buttons

TButton::TButton(const ComponentDef& def, TWinContainer* parent) : TControl(def, parent)
{
    CreateHandle("BUTTON", BS_PUSHBUTTON, 0);
}

void TButton::Command(WORD code)
{
    if (code == BN_CLICKED && OnClick)
        OnClick(this);
}

TCheckBox::TCheckBox(const ComponentDef& def, TWinContainer* parent) : TControl(def, parent)
{
    CreateHandle("BUTTON", BS_AUTOCHECKBOX, 0);
    SetChecked((def.options & tk::Checked) != 0);
}

bool TCheckBox::Checked() const
{
    return ::SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked)
{
    ::SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::Command(WORD code)
{
    if (code == BN_CLICKED && OnClick)
        OnClick(this);
}

HBRUSH TCheckBox::ControlColor(HDC dc)
{
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

// ---------------------------------------------------------------- label

TLabel::TLabel(const ComponentDef& def, TWinContainer* parent) : TControl(def, parent)
{
    CreateHandle("TLabel", 0, 0);
}

void TLabel::SetText(const std::string& text)
{
    TControl::SetText(text);
    AdjustSize();
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TLabel::AdjustSize()
{
    HDC dc = ::GetDC(Handle());
    HGDIOBJ oldFont = ::SelectObject(dc, Font() ? Font() : ::GetStockObject(DEFAULT_GUI_FONT));
    const std::string text = Text();
    RECT r{0, 0, 0, 0};
    ::DrawTextA(dc, text.empty() ? " " : text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(Handle(), dc);
    ::SetWindowPos(Handle(), nullptr, 0, 0, text.empty() ? 0 : r.right, r.bottom,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TLabel::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_SETFONT: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        AdjustSize();
        return result;
    }
    case WM_PAINT:
        return PaintWith(Handle(), [this](HDC dc, const RECT& client) {
            FillBackground(dc, client);
            const std::string text = Text();
            HGDIOBJ oldFont = ::SelectObject(dc, Font() ? Font() : ::GetStockObject(DEFAULT_GUI_FONT));
            ::SetBkMode(dc, TRANSPARENT);
            RECT r = client;
            const UINT format = DT_NOPREFIX | DT_SINGLELINE | DT_LEFT | DT_TOP;
            if (IsWindowEnabled(Handle())) {
                ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
                ::DrawTextA(dc, text.c_str(), -1, &r, format);
            } else {
                // Embossed: a highlight one pixel down and right, the shadow on top.
                ::OffsetRect(&r, 1, 1);
                ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
                ::DrawTextA(dc, text.c_str(), -1, &r, format);
                ::OffsetRect(&r, -1, -1);
                ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
                ::DrawTextA(dc, text.c_str(), -1, &r, format);
            }
            ::SelectObject(dc, oldFont);
        });
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

// ---------------------------------------------------------------- edits

TCustomEdit::TCustomEdit(const ComponentDef& def, TWinContainer* parent, DWORD style, DWORD exStyle)
    : TControl(def, parent), background_(ColorValue(def.color, ::GetSysColor(COLOR_WINDOW)))
{
    if (def.options & ReadOnly)
        style |= ES_READONLY;
    if (!(def.options & Borderless))
        exStyle |= WS_EX_CLIENTEDGE;
    brush_.Reset(::CreateSolidBrush(background_));
    CreateHandle("EDIT", style, exStyle);
}

HBRUSH TCustomEdit::ControlColor(HDC dc)
{
    ::SetBkColor(dc, background_);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    return static_cast<HBRUSH>(brush_.Get());
}

TMemo::TMemo(const ComponentDef& def, TWinContainer* parent)
    : TCustomEdit(def, parent, ES_MULTILINE | ES_LEFT, 0)
{
}

TEdit::TEdit(const ComponentDef& def, TWinContainer* parent) : TCustomEdit(def, parent, ES_AUTOHSCROLL | ES_LEFT, 0)
{
    ::SendMessageA(Handle(), EM_SETLIMITTEXT, 0, 0);
}

// ---------------------------------------------------------------- image

TImage::TImage(const ComponentDef& def, TWinContainer* parent) : TControl(def, parent)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (def.picture) {
        if (def.options & IconPicture)
            icon_.Reset(static_cast<HICON>(::LoadImageA(instance, def.picture, IMAGE_ICON, def.width, def.height, 0)));
        else
            bitmap_.Reset(::LoadImageA(instance, def.picture, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
    CreateHandle("TImage", 0, 0);
}

LRESULT TImage::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintWith(Handle(), [this](HDC dc, const RECT& client) {
            FillBackground(dc, client);
            if (icon_) {
                ::DrawIconEx(dc, 0, 0, icon_.Get(), Definition().width, Definition().height, 0, nullptr, DI_NORMAL);
            } else if (bitmap_) {
                BITMAP info{};
                ::GetObjectA(bitmap_.Get(), sizeof(info), &info);
                HDC memory = ::CreateCompatibleDC(dc);
                HGDIOBJ old = ::SelectObject(memory, bitmap_.Get());
                ::BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
                ::SelectObject(memory, old);
                ::DeleteDC(memory);
            }
        });
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

// ---------------------------------------------------------------- progress bar

TProgressBar::TProgressBar(const ComponentDef& def, TWinContainer* parent) : TControl(def, parent)
{
    CreateHandle(PROGRESS_CLASSA, 0, 0);
    ::SendMessageA(Handle(), PBM_SETRANGE32, 0, def.maximum);
    ::SendMessageA(Handle(), PBM_SETPOS, 0, 0);
}

int TProgressBar::Position() const
{
    return static_cast<int>(::SendMessageA(Handle(), PBM_GETPOS, 0, 0));
}

void TProgressBar::SetPosition(int position)
{
    ::SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

// ---------------------------------------------------------------- classes

void RegisterToolkitClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    for (const char* name : {"TPanel", "TGroupBox", "TTabSheet", "TPageControl", "TLabel", "TImage"}) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = ToolkitWindowProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = name;
        ::RegisterClassExA(&wc);
    }
}

} // namespace tk
