#pragma once
// Direct registry access for the registry tests: what a test stores or
// expects goes through the system calls, never through the code under test.

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace regtest {

struct RawValue {
    DWORD type;
    std::string bytes;
    bool operator==(const RawValue&) const = default;
};

inline void PrintTo(const RawValue& v, std::ostream* os)
{
    *os << "type " << v.type << ", " << v.bytes.size() << " bytes \"" << v.bytes << '"';
}

inline bool KeyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Removes the key with everything below it.
inline void DeleteKey(const std::string& path)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
}

inline std::optional<RawValue> QueryRaw(const std::string& path, const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    std::optional<RawValue> result;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::string bytes(size, '\0');
        if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()),
                &size)
            == ERROR_SUCCESS) {
            bytes.resize(size);
            result = RawValue{type, bytes};
        }
    }
    RegCloseKey(key);
    return result;
}

// The names of the values in a key, in the registry's order; nothing when
// the key does not open.
inline std::optional<std::vector<std::string>> ValueNames(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD length = sizeof name;
        if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

// Stores a value as given; returns the system's result.
inline LONG SetRaw(const std::string& path, const std::string& name, DWORD type, const std::string& bytes)
{
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
        &key, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    result = RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
        static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    return result;
}

inline std::string Dword(DWORD v)
{
    return std::string(reinterpret_cast<const char*>(&v), sizeof v);
}

// A string value's bytes: the text and its terminator.
inline std::string Sz(const std::string& text)
{
    return text + '\0';
}

} // namespace regtest
