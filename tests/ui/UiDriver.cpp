#include "UiDriver.h"

#include <commctrl.h>

#include <cstring>
#include <stdexcept>
#include <thread>
#include <vector>

namespace ui {

bool WaitFor(const std::function<bool()>& condition, DWORD timeout)
{
    const ULONGLONG end = ::GetTickCount64() + timeout;
    while (true) {
        if (condition())
            return true;
        if (::GetTickCount64() > end)
            return false;
        ::Sleep(50);
    }
}

namespace {

std::vector<char> EnvironmentBlock(const std::map<std::string, std::string>& overrides)
{
    std::map<std::string, std::string> variables;
    if (char* block = ::GetEnvironmentStringsA()) {
        for (const char* entry = block; *entry; entry += std::strlen(entry) + 1) {
            const std::string text(entry);
            const auto equals = text.find('=', 1);
            if (equals != std::string::npos)
                variables[text.substr(0, equals)] = text.substr(equals + 1);
        }
        ::FreeEnvironmentStringsA(block);
    }
    for (const auto& [name, value] : overrides) {
        for (auto it = variables.begin(); it != variables.end();)
            it = lstrcmpiA(it->first.c_str(), name.c_str()) == 0 ? variables.erase(it) : std::next(it);
        variables[name] = value;
    }
    std::vector<char> result;
    for (const auto& [name, value] : variables) {
        const std::string entry = name + "=" + value;
        result.insert(result.end(), entry.begin(), entry.end());
        result.push_back('\0');
    }
    result.push_back('\0');
    return result;
}

struct WindowSearch {
    DWORD process;
    const char* className;
    HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof(className));
    if (process == search->process && lstrcmpA(className, search->className) == 0 && ::IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindProcessWindow(DWORD process, const char* className)
{
    WindowSearch search{process, className};
    ::EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct ChildSearch {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK FindChildById(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (::GetDlgCtrlID(window) == search->id) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

SetupProcess::SetupProcess(const std::string& exe, const std::map<std::string, std::string>& overrides)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + exe + "\"";
    std::vector<char> environment = EnvironmentBlock(overrides);
    if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, environment.data(), nullptr,
            &startup, &info_))
        throw std::runtime_error("cannot start " + exe + ": error " + std::to_string(::GetLastError()));
}

SetupProcess::~SetupProcess()
{
    if (Running()) {
        ::TerminateProcess(info_.hProcess, 1);
        ::WaitForSingleObject(info_.hProcess, 5000);
    }
    ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
}

HWND SetupProcess::MainWindow(DWORD timeout)
{
    if (!main_ || !::IsWindow(main_))
        WaitFor([&] { return (main_ = FindProcessWindow(Id(), "TInstallForm")) != nullptr; }, timeout);
    return main_;
}

HWND SetupProcess::Component(int row)
{
    ChildSearch search{1000 + row};
    ::EnumChildWindows(MainWindow(), FindChildById, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<MessageBoxInfo> FindMessageBox(DWORD process, DWORD timeout)
{
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindProcessWindow(process, "#32770")) != nullptr; }, timeout))
        return std::nullopt;
    // Let the box finish laying itself out.
    ::Sleep(200);
    MessageBoxInfo info;
    info.handle = box;
    info.owner = ::GetWindow(box, GW_OWNER);
    info.caption = Text(box);
    info.hasOk = ::GetDlgItem(box, IDOK) != nullptr;
    info.hasCancel = ::GetDlgItem(box, IDCANCEL) != nullptr;
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        ::GetClassNameA(child, className, sizeof(className));
        if (lstrcmpiA(className, "Static") != 0)
            continue;
        const LONG style = ::GetWindowLongA(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON) {
            const auto icon = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
            info.anyIcon = info.anyIcon || (icon && (style & WS_VISIBLE));
            // Shared system icons have one handle per process: this tells
            // the stop icon only for a box of the calling process.
            info.stopIcon = info.stopIcon || (icon && icon == ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_HAND)));
        } else if (::GetDlgCtrlID(child) == 0xFFFF) {
            info.text = Text(child);
        }
    }
    return info;
}

void Answer(const MessageBoxInfo& box, int button)
{
    ::PostMessageA(box.handle, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box.handle, button)));
}

bool SetupProcess::Running() const
{
    return ::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> SetupProcess::WaitForExit(DWORD timeout)
{
    if (::WaitForSingleObject(info_.hProcess, timeout) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::string Text(HWND window)
{
    DWORD_PTR length = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
        5000, &copied);
    text.resize(copied);
    return text;
}

bool Visible(HWND window)
{
    return (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Enabled(HWND window)
{
    return ::IsWindowEnabled(window) != FALSE;
}

bool Checked(HWND checkBox)
{
    return ::SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int ProgressPosition(HWND bar)
{
    return static_cast<int>(::SendMessageA(bar, PBM_GETPOS, 0, 0));
}

int ProgressMaximum(HWND bar)
{
    return static_cast<int>(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
}

void Click(HWND button)
{
    ::PostMessageA(button, BM_CLICK, 0, 0);
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

void PressKey(HWND window, WORD key, bool control)
{
    ::SetForegroundWindow(::GetAncestor(window, GA_ROOT));
    WaitFor([&] { return ::GetForegroundWindow() == ::GetAncestor(window, GA_ROOT); }, 3000);
    std::vector<INPUT> inputs;
    const auto add = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (control)
        add(VK_CONTROL, false);
    add(key, false);
    add(key, true);
    if (control)
        add(VK_CONTROL, true);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    ::Sleep(300);
}

std::string SetupExe()
{
    return SETUP_EXE_PATH;
}

} // namespace ui
