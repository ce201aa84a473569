#include "toolkit/win/Forms.h"

#include "toolkit/core/Exceptions.h"
#include "toolkit/win/Application.h"

namespace tk {

namespace {

ComponentDef FormComponent(const FormDef& def)
{
    ComponentDef self{ComponentKind::Panel, def.className, nullptr, 0, 0, def.clientWidth, def.clientHeight};
    self.text = def.caption;
    return self;
}

void RegisterFormClass(const char* className)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExA(::GetModuleHandleA(nullptr), className, &wc))
        return;
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ToolkitWindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = className;
    ::RegisterClassExA(&wc);
}

HFONT MakeFont(const FontSpec& definition)
{
    return ::CreateFontA(definition.height, 0, 0, 0, definition.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, definition.name);
}

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

} // namespace

TForm::TForm(const FormDef& def) : TWinContainer(FormComponent(def), nullptr), def_(def)
{
    RegisterToolkitClasses();
    RegisterFormClass(def.className);
    CreateHandle(def.className, kFormStyle, kFormExStyle);
    Build();
}

TForm::~TForm()
{
    // Children go before the form's own window.
    while (!components_.empty())
        components_.pop_back();
}

void TForm::Build()
{
    // Client size and placement: centred on the screen.
    RECT frame{0, 0, def_.clientWidth, def_.clientHeight};
    ::AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
    ::SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Centre();

    formFont_.Reset(MakeFont(def_.font));
    SetFont(static_cast<HFONT>(formFont_.Get()));

    if (def_.icon) {
        HINSTANCE instance = ::GetModuleHandleA(nullptr);
        bigIcon_.Reset(static_cast<HICON>(::LoadImageA(instance, def_.icon, IMAGE_ICON,
            ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0)));
        smallIcon_.Reset(static_cast<HICON>(::LoadImageA(instance, def_.icon, IMAGE_ICON,
            ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0)));
        ::SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
        ::SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    }

    for (const ComponentDef& row : def_.components) {
        TWinContainer* parent = this;
        if (row.parent) {
            parent = dynamic_cast<TWinContainer*>(FindComponent(row.parent));
            if (!parent)
                throw Exception(std::string("Parent ") + row.parent + " of " + row.name + " not found");
        }
        std::unique_ptr<TControl> control;
        switch (row.kind) {
        case ComponentKind::Panel: control = std::make_unique<TPanel>(row, parent); break;
        case ComponentKind::PageControl: control = std::make_unique<TPageControl>(row, parent); break;
        case ComponentKind::TabSheet: control = std::make_unique<TTabSheet>(row, parent); break;
        case ComponentKind::Button: control = std::make_unique<TButton>(row, parent); break;
        case ComponentKind::Label: control = std::make_unique<TLabel>(row, parent); break;
        case ComponentKind::Memo: control = std::make_unique<TMemo>(row, parent); break;
        case ComponentKind::Edit: control = std::make_unique<TEdit>(row, parent); break;
        case ComponentKind::GroupBox: control = std::make_unique<TGroupBox>(row, parent); break;
        case ComponentKind::Image: control = std::make_unique<TImage>(row, parent); break;
        case ComponentKind::CheckBox: control = std::make_unique<TCheckBox>(row, parent); break;
        case ComponentKind::ProgressBar: control = std::make_unique<TProgressBar>(row, parent); break;
        }
        // Child identifiers follow the table, so a driver can find a
        // component by its row.
        ::SetWindowLongPtrA(control->Handle(), GWLP_ID, FirstComponentId + static_cast<LONG_PTR>(components_.size()));
        control->SetFont(FontFor(row.font));
        if (row.onClick)
            control->OnClick = [this, handler = row.onClick](TObject* sender) { (this->*handler)(sender); };
        byName_[control->Name()] = control.get();
        components_.push_back(std::move(control));
    }

    // Lay out parents before their children: the table lists them first.
    AlignControls();
    ApplyTabOrder();
    for (const auto& control : components_) {
        auto* container = dynamic_cast<TWinContainer*>(control.get());
        if (!container)
            continue;
        if (auto* page = dynamic_cast<TTabSheet*>(container)) {
            const RECT area = page->Parent()->ChildArea();
            page->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
            if (page->Definition().options & ActivePage)
                if (auto* pages = dynamic_cast<TPageControl*>(page->Parent()))
                    pages->SetActivePage(page);
        }
        container->AlignControls();
        container->ApplyTabOrder();
    }
}

HFONT TForm::FontFor(const FontSpec* definition)
{
    if (!definition)
        return static_cast<HFONT>(formFont_.Get());
    auto& font = fonts_[definition];
    if (!font)
        font.Reset(MakeFont(*definition));
    return static_cast<HFONT>(font.Get());
}

void TForm::Centre()
{
    RECT window;
    ::GetWindowRect(Handle(), &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TControl* TForm::FindComponent(const std::string& name) const
{
    const auto found = byName_.find(name);
    return found == byName_.end() ? nullptr : found->second;
}

void TForm::DoCreate()
{
    if (!def_.onCreate)
        return;
    try {
        (this->*def_.onCreate)(this);
    } catch (...) {
        HandleCurrentException();
    }
}

void TForm::Show()
{
    ::ShowWindow(Handle(), SW_SHOW);
    ::UpdateWindow(Handle());
}

void TForm::Close()
{
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else
        ::ShowWindow(Handle(), SW_HIDE);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus && ::IsChild(Handle(), focus))
                lastFocus_ = focus;
        } else {
            HWND focus = lastFocus_;
            if (!focus || !::IsWindow(focus) || !::IsWindowVisible(focus) || !::IsWindowEnabled(focus))
                focus = ::GetNextDlgTabItem(Handle(), nullptr, FALSE);
            ::SetFocus(focus ? focus : Handle());
        }
        return 0;
    default:
        return TWinContainer::WndProc(message, wParam, lParam);
    }
}

} // namespace tk
