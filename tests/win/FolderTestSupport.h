#pragma once
// Helpers of the folder, shortcut and clean-up tests: files and folders made
// and removed with the ANSI calls the program uses, special folders of the
// Wine prefix, and shell dialogs found from a second thread.

#include "../common/TestThread.h"

#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <functional>
#include <string>

namespace foldertest {

using testsupport::Thread;

inline void Pause(int milliseconds)
{
    ::Sleep(static_cast<DWORD>(milliseconds));
}

inline bool IsFolder(const std::string& path)
{
    const DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool IsFile(const std::string& path)
{
    const DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Removes a file, or a folder with everything in it.
inline void RemoveTree(const std::string& path)
{
    const DWORD a = ::GetFileAttributesA(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES)
        return;
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(a & FILE_ATTRIBUTE_DIRECTORY)) {
        ::DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name != "." && name != "..")
                RemoveTree(path + "\\" + name);
        } while (::FindNextFileA(find, &entry));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(path.c_str());
}

inline void MakeFolders(const std::string& path)
{
    ::SHCreateDirectoryExA(nullptr, path.c_str(), nullptr);
}

inline void WriteTextFile(const std::string& path, const std::string& text)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

// The current user's special folder, without creating it.
inline std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH + 1] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_DONT_VERIFY, nullptr,
                                  SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

// A top-level window of the calling thread, shown.
inline HWND MakeWindow(const char* title, int x)
{
    return ::CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 10, 200, 120,
                             nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

inline std::string WindowText(HWND window)
{
    char text[512] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

inline std::string ClassOf(HWND window)
{
    char name[128] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

// A visible dialog box (class "#32770") owned by `owner`, or null.
inline HWND FindOwnedDialog(HWND owner)
{
    struct Search {
        HWND owner;
        HWND found;
    } search{owner, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (::IsWindowVisible(window) && ::GetWindow(window, GW_OWNER) == s->owner &&
                ClassOf(window) == "#32770") {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline HWND WaitForOwnedDialog(HWND owner, DWORD limitMilliseconds)
{
    const ULONGLONG end = ::GetTickCount64() + limitMilliseconds;
    while (::GetTickCount64() < end) {
        if (HWND dialog = FindOwnedDialog(owner))
            return dialog;
        Pause(50);
    }
    return nullptr;
}

// A child window whose class is `className` (first found), or null.
inline HWND FindChildOfClass(HWND parent, const std::string& className)
{
    struct Search {
        std::string name;
        HWND found;
    } search{className, nullptr};
    ::EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (ClassOf(window) == s->name) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// True when some child window of `parent` shows exactly `text`.
inline bool HasChildWithText(HWND parent, const std::string& text)
{
    struct Search {
        std::string text;
        bool found;
    } search{text, false};
    ::EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (WindowText(window) == s->text) {
                s->found = true;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Presses a dialog's button the way a click does.
inline void PressButton(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Closes, from a second thread, every dialog box that `owner` gets while it
// lives, and remembers the text of the last one.
class DialogWatchdog {
public:
    explicit DialogWatchdog(HWND owner)
        : thread_([this, owner] {
              while (!stop_) {
                  if (HWND dialog = FindOwnedDialog(owner)) {
                      ++seen_;
                      ::PostMessageA(dialog, WM_CLOSE, 0, 0);
                      PressButton(dialog, IDCANCEL);
                      Pause(300);
                  }
                  Pause(20);
              }
          })
    {
    }
    ~DialogWatchdog()
    {
        stop_ = true;
        thread_.Join();
    }
    int Seen() const { return seen_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<int> seen_{0};
    Thread thread_;
};

} // namespace foldertest
