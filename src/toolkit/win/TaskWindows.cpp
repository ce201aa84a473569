#include "toolkit/win/TaskWindows.h"

namespace tk {

DisabledThreadWindows::DisabledThreadWindows() : active_(::GetActiveWindow())
{
    ::EnumThreadWindows(::GetCurrentThreadId(), &DisabledThreadWindows::Collect, reinterpret_cast<LPARAM>(this));
    for (HWND window : windows_)
        ::EnableWindow(window, FALSE);
}

DisabledThreadWindows::~DisabledThreadWindows()
{
    for (HWND window : windows_)
        if (::IsWindow(window))
            ::EnableWindow(window, TRUE);
    if (active_ && ::IsWindow(active_))
        ::SetActiveWindow(active_);
}

BOOL CALLBACK DisabledThreadWindows::Collect(HWND window, LPARAM self)
{
    if (::IsWindowVisible(window) && ::IsWindowEnabled(window))
        reinterpret_cast<DisabledThreadWindows*>(self)->windows_.push_back(window);
    return TRUE;
}

} // namespace tk
