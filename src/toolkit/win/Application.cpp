#include "toolkit/win/Application.h"

#include "toolkit/core/Exceptions.h"
#include "toolkit/core/Format.h"
#include "toolkit/win/TaskWindows.h"

#include <objbase.h>

namespace tk {

TApplication* Application = nullptr;

TApplication::TApplication()
{
    Application = this;
    comInitialized_ = SUCCEEDED(::CoInitialize(nullptr));
}

TApplication::~TApplication()
{
    DestroyComponents();
    if (comInitialized_)
        ::CoUninitialize();
    if (Application == this)
        Application = nullptr;
}

void TApplication::Initialize()
{
    RegisterToolkitClasses();
}

void TApplication::Run()
{
    if (mainForm_)
        mainForm_->Show();
    while (!terminated_) {
        MSG message;
        if (!ProcessMessage(message))
            ::WaitMessage();
    }
}

void TApplication::ProcessMessages()
{
    MSG message;
    while (ProcessMessage(message)) {
    }
}

bool TApplication::ProcessMessage(MSG& message)
{
    if (!::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (!IsKeyMessage(message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return true;
}

// The form's keyboard interface: Tab and Shift+Tab move the focus in tab
// order, Enter presses the focused push button. Nothing else is previewed:
// no default or cancel button, and Ctrl+Tab finds no page tab to move to.
bool TApplication::IsKeyMessage(const MSG& message)
{
    if (message.message != WM_KEYDOWN || !mainForm_)
        return false;
    HWND root = mainForm_->Handle();
    if (message.hwnd != root && !::IsChild(root, message.hwnd))
        return false;
    switch (message.wParam) {
    case VK_TAB: {
        if (::GetKeyState(VK_CONTROL) < 0)
            return true;
        HWND focus = ::GetFocus();
        if (focus && !::IsChild(root, focus))
            focus = nullptr;
        if (HWND next = ::GetNextDlgTabItem(root, focus, ::GetKeyState(VK_SHIFT) < 0))
            ::SetFocus(next);
        return true;
    }
    case VK_RETURN: {
        char className[16] = {};
        ::GetClassNameA(message.hwnd, className, sizeof(className));
        const LONG type = ::GetWindowLongA(message.hwnd, GWL_STYLE) & BS_TYPEMASK;
        if (lstrcmpiA(className, "Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
            ::SendMessageA(message.hwnd, BM_CLICK, 0, 0);
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void TApplication::Terminate()
{
    ::PostQuitMessage(0);
}

namespace {

std::string CurrentExceptionMessage()
{
    try {
        throw;
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::bad_alloc&) {
        return EOutOfMemory().Message();
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown exception";
    }
}

} // namespace

void TApplication::HandleException()
{
    ShowException(CurrentExceptionMessage());
}

void TApplication::ShowException(const std::string& message)
{
    HWND owner = ::GetActiveWindow();
    if (!owner && mainForm_)
        owner = mainForm_->Handle();
    DisabledThreadWindows disabled;
    ::MessageBoxA(owner, WithFinalPeriod(message).c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::DestroyComponents()
{
    while (!modules_.empty())
        modules_.pop_back();
    while (!forms_.empty())
        forms_.pop_back();
    mainForm_ = nullptr;
}

void HandleCurrentException()
{
    if (Application) {
        Application->HandleException();
        return;
    }
    ::MessageBoxA(nullptr, WithFinalPeriod(CurrentExceptionMessage()).c_str(), "", MB_OK | MB_ICONSTOP);
}

} // namespace tk
