#include "toolkit/win/Registry.h"

#include "toolkit/core/Exceptions.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace tk {

namespace {

[[noreturn]] void RaiseRegistryError(const char* what, const std::string& name)
{
    throw ERegistryException(std::string(what) + " for '" + name + "'");
}

} // namespace

void TRegistry::SetRootKey(HKEY rootKey) noexcept
{
    CloseKey();
    rootKey_ = rootKey;
}

bool TRegistry::OpenKey(const std::string& keyPath, bool canCreate)
{
    CloseKey();
    const std::string path = !keyPath.empty() && keyPath[0] == '\\' ? keyPath.substr(1) : keyPath;
    HKEY key = nullptr;
    LONG result;
    if (!canCreate || path.empty()) {
        result = ::RegOpenKeyExA(rootKey_, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    } else {
        result = ::RegCreateKeyExA(rootKey_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
            KEY_ALL_ACCESS, nullptr, &key, nullptr);
    }
    if (result != ERROR_SUCCESS)
        return false;
    currentKey_.Reset(key);
    return true;
}

void TRegistry::CloseKey() noexcept
{
    currentKey_.Reset();
}

bool TRegistry::ValueExists(const std::string& name) const
{
    DWORD type = 0;
    DWORD size = 0;
    return ::RegQueryValueExA(currentKey_.Get(), name.c_str(), nullptr, &type, nullptr, &size)
        == ERROR_SUCCESS;
}

std::int32_t TRegistry::ReadInteger(const std::string& name) const
{
    // Zeroed, so that a REG_DWORD stored with fewer than 4 bytes reads as the
    // bytes it has rather than as whatever the buffer held.
    DWORD value = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof value;
    if (::RegQueryValueExA(currentKey_.Get(), name.c_str(), nullptr, &type,
            reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        RaiseRegistryError("Failed to get data", name);
    if (type != REG_DWORD)
        RaiseRegistryError("Invalid data type", name);
    return static_cast<std::int32_t>(value);
}

std::string TRegistry::ReadString(const std::string& name) const
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (::RegQueryValueExA(currentKey_.Get(), name.c_str(), nullptr, &type, nullptr, &size)
            != ERROR_SUCCESS
        || size == 0)
        return {};
    std::vector<char> buffer(size);
    if (::RegQueryValueExA(currentKey_.Get(), name.c_str(), nullptr, &type,
            reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        RaiseRegistryError("Failed to get data", name);
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        RaiseRegistryError("Invalid data type", name);
    // The second query may report fewer bytes than the first (an upper bound).
    const std::size_t count = std::min<std::size_t>(size, buffer.size());
    std::string text(buffer.data(), count);
    return text.substr(0, text.find('\0'));
}

void TRegistry::WriteInteger(const std::string& name, std::int32_t value) const
{
    const DWORD data = static_cast<DWORD>(value);
    SetData(name, REG_DWORD, &data, sizeof data);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) const
{
    // A text whose size does not fit the call's 32-bit count is refused
    // rather than cut short.
    if (value.size() >= std::numeric_limits<DWORD>::max())
        RaiseRegistryError("Failed to set data", name);
    // c_str() supplies the one zero byte after the text.
    SetData(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void TRegistry::SetData(const std::string& name, DWORD type, const void* data, DWORD size) const
{
    if (::RegSetValueExA(currentKey_.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size)
        != ERROR_SUCCESS)
        RaiseRegistryError("Failed to set data", name);
}

} // namespace tk
