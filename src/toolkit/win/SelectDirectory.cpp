#include "toolkit/win/SelectDirectory.h"

#include "toolkit/win/ComPtr.h"
#include "toolkit/win/Handle.h"
#include "toolkit/win/TaskWindows.h"

#include <shlobj.h>

#include <vector>

namespace tk {

namespace {

void CentreOnScreen(HWND window)
{
    RECT bounds{};
    if (!::GetWindowRect(window, &bounds))
        return;
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM)
{
    if (message == BFFM_INITIALIZED)
        CentreOnScreen(window);
    return 0;
}

// The item-id list of a folder path, or none when the path is unknown.
UniquePidl PidlFromPath(const std::string& path)
{
    ComPtr<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(desktop.Put())))
        return {};
    const int length = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    UniquePidl pidl;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, pidl.Put(), nullptr)))
        return {};
    return pidl;
}

} // namespace

bool SelectDirectory(const std::string& caption, const std::string& root, std::string& directory,
                     HWND owner)
{
    UniquePidl rootPidl;
    if (!root.empty())
        rootPidl = PidlFromPath(root);

    char displayName[MAX_PATH + 1] = {};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pidlRoot = rootPidl.Get();
    info.pszDisplayName = displayName;
    info.lpszTitle = caption.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
    info.lpfn = &BrowseCallback;

    UniquePidl chosen;
    {
        DisabledThreadWindows disabled;
        chosen.Reset(::SHBrowseForFolderA(&info));
    }
    if (!chosen)
        return false;

    char path[MAX_PATH + 1] = {};
    if (!::SHGetPathFromIDListA(chosen.Get(), path) || path[0] == '\0')
        return false;
    directory = path;
    return true;
}

} // namespace tk
