// The stand-in product's main program: a window titled "Kelvaro" that shows
// the program's version, the folder it runs from and what VTQMain.dll says.

#include "VTQMain.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string ProgramPath()
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string FolderOf(const std::string& path)
{
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string VersionOf(const std::string& path)
{
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> block(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (size == 0 || !::GetFileVersionInfoA(path.c_str(), 0, size, block.data())
        || !::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info)
        return "?";
    char text[64];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", static_cast<unsigned>(HIWORD(info->dwFileVersionMS)),
        static_cast<unsigned>(LOWORD(info->dwFileVersionMS)), static_cast<unsigned>(HIWORD(info->dwFileVersionLS)),
        static_cast<unsigned>(LOWORD(info->dwFileVersionLS)));
    return text;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "KelvaroMainWindow";
    if (!::RegisterClassA(&windowClass))
        return 1;

    HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, "Kelvaro", WS_OVERLAPPEDWINDOW,
        CW_USEDEFAULT, CW_USEDEFAULT, 480, 200, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;

    const std::string path = ProgramPath();
    const std::string text = "Kelvaro 版本 " + VersionOf(path) + "\r\n运行位置：" + FolderOf(path) + "\r\n"
        + VtqMainDescription() + " (" + std::to_string(VtqMainVersion() / 100) + "."
        + std::to_string(VtqMainVersion() % 100) + ")";
    ::CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE, 16, 16, 440, 120, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)), instance, nullptr);
    ::ShowWindow(window, show);
    ::UpdateWindow(window);

    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
