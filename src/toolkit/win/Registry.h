#pragma once
// A registry object: one root key given by its owner, at most one open key
// below it. Keys are opened and created with full access (KEY_ALL_ACCESS) in
// the registry view of the process, closed with a plain RegCloseKey (never
// flushed) when another key is opened, on CloseKey and on destruction.
// Value names and data are 8-bit strings handed to the ANSI registry calls.

#include "toolkit/win/Handle.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace tk {

class TRegistry {
public:
    // There is no default root: the owner names it.
    explicit TRegistry(HKEY rootKey) noexcept : rootKey_(rootKey) {}
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const noexcept { return rootKey_; }
    // Closes the open key, if any, and changes the root for the next open.
    void SetRootKey(HKEY rootKey) noexcept;
    // The open key, or nullptr.
    HKEY CurrentKey() const noexcept { return currentKey_.Get(); }

    // Opens keyPath below the root; one leading "\" is dropped. With canCreate
    // and a non-empty path, a missing key is created together with any missing
    // key above it. Returns whether a key is now open; a key that was open
    // before is closed either way.
    bool OpenKey(const std::string& keyPath, bool canCreate);
    void CloseKey() noexcept;

    // The calls below need an open key.

    // Whether the value exists in the open key.
    bool ValueExists(const std::string& name) const;

    // A REG_DWORD value as a signed integer. Raises ERegistryException
    // "Failed to get data for '<name>'" when the query fails (stored data
    // longer than 4 bytes) and "Invalid data type for '<name>'" when the
    // value is not REG_DWORD.
    std::int32_t ReadInteger(const std::string& name) const;

    // A REG_SZ or REG_EXPAND_SZ value (unexpanded) up to its first zero byte;
    // "" when the value has no data or its size cannot be had. Raises
    // ERegistryException "Failed to get data for '<name>'" when the read
    // fails and "Invalid data type for '<name>'" for any other type.
    std::string ReadString(const std::string& name) const;

    // Store name as REG_DWORD (4 bytes) or REG_SZ (the bytes of value and one
    // zero byte), replacing a value of any type. Raise ERegistryException
    // "Failed to set data for '<name>'" when the registry refuses.
    void WriteInteger(const std::string& name, std::int32_t value) const;
    void WriteString(const std::string& name, const std::string& value) const;

private:
    void SetData(const std::string& name, DWORD type, const void* data, DWORD size) const;

    HKEY rootKey_;
    UniqueRegKey currentKey_;
};

} // namespace tk
