#include "toolkit/win/SysUtils.h"

#include <vector>

namespace tk {

std::string SysErrorMessage(DWORD code)
{
    char* buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
            FORMAT_MESSAGE_ARGUMENT_ARRAY,
        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (buffer) {
        text.assign(buffer, length);
        ::LocalFree(buffer);
    }
    while (!text.empty()) {
        const auto c = static_cast<unsigned char>(text.back());
        if (c > ' ' && c != '.')
            break;
        text.pop_back();
    }
    return text;
}

std::string ExpandFileName(const std::string& path)
{
    const DWORD needed = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::vector<char> buffer(needed);
    const DWORD length = ::GetFullPathNameA(path.c_str(), needed, buffer.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    return std::string(buffer.data(), length);
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace tk
