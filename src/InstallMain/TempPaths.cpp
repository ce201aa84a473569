#include "InstallMain/TempPaths.h"

#include <windows.h>

#include <algorithm>

namespace InstallMain {

std::vector<char> TempPathBuf;
std::string TempDir;

namespace {

constexpr DWORD UsualTempPathSize = 100;

// GetTempPathA into `buffer`; true when the buffer holds the whole path.
bool ReadTempPath(std::vector<char>& buffer, DWORD size, DWORD& needed)
{
    buffer.assign(size, '\0');
    const DWORD length = ::GetTempPathA(size, buffer.data());
    needed = length;
    return length != 0 && length < size;
}

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "X:\" followed by something other than separators.
bool IsFolderOnDrive(const std::string& path)
{
    if (path.size() < 4 || !IsDriveLetter(path[0]) || path[1] != ':' || path[2] != '\\')
        return false;
    return path.find_first_not_of('\\', 3) != std::string::npos;
}

std::string SystemDriveRoot()
{
    char windows[MAX_PATH + 1] = {};
    const UINT length = ::GetWindowsDirectoryA(windows, MAX_PATH + 1);
    if (length >= 2 && length <= MAX_PATH && IsDriveLetter(windows[0]) && windows[1] == ':')
        return std::string(windows, 2) + "\\";
    return "C:\\";
}

} // namespace

void InitTempPaths()
{
    DWORD needed = 0;
    if (!ReadTempPath(TempPathBuf, UsualTempPathSize, needed)) {
        // The path did not fit, or the call failed: ask again with room for
        // what the system reports, a few times in case it changes between calls.
        bool filled = false;
        for (int attempt = 0; attempt < 4 && needed >= UsualTempPathSize && !filled; ++attempt)
            filled = ReadTempPath(TempPathBuf, needed + 1, needed);
        if (!filled)
            TempPathBuf.assign(UsualTempPathSize, '\0');
    }

    std::string text = TempPathText();
    if (!text.empty() && text.back() != '\\') {
        text += '\\';
        TempPathBuf.assign(text.begin(), text.end());
        TempPathBuf.resize(std::max<size_t>(text.size() + 1, UsualTempPathSize), '\0');
    }
    TempDir = text.empty() ? text : text.substr(0, text.size() - 1);
}

std::string TempPathText()
{
    std::string text;
    for (char c : TempPathBuf) {
        if (c == '\0')
            break;
        text += c;
    }
    return text;
}

std::string DefaultInstallDir()
{
    const std::string root = IsFolderOnDrive(TempDir) ? TempDir.substr(0, 3) : SystemDriveRoot();
    return root + "Program Files\\VTQ";
}

std::string TempCleanupPath()
{
    const std::string text = TempPathText();
    return text.empty() ? text : text + "\\VTQ";
}

} // namespace InstallMain
