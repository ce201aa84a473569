#include "InstallMain/TempFolder.h"

#include <cstring>

namespace InstallMain {

namespace {

int CallShell(SHFILEOPSTRUCTA* request)
{
    return ::SHFileOperationA(request);
}

} // namespace

void DeleteTempFolder(HWND owner, const std::string& path)
{
    DeleteTempFolder(owner, path, &CallShell);
}

void DeleteTempFolder(HWND owner, const std::string& path, ShellFileOperation operation)
{
    // A list of names ending in two zeros: room for 127 characters.
    char source[129];
    std::memset(source, 0, sizeof source);
    if (path.empty() || path.size() > sizeof source - 2 || path.find('\0') != std::string::npos)
        return;
    std::memcpy(source, path.data(), path.size());

    SHFILEOPSTRUCTA request{};
    request.hwnd = owner;
    request.wFunc = FO_DELETE;
    request.pFrom = source;
    request.pTo = nullptr;
    request.fFlags = FOF_NOCONFIRMATION;
    operation(&request);
}

} // namespace InstallMain
