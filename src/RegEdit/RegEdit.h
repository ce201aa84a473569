#pragma once
// The installer's registry routines. Each call is a transaction of its own:
// a registry object rooted at root opens keyPath (creating it and any missing
// key above it when canCreate is true and the path is not empty), acts, and
// closes the key again, on every path. A key that cannot be opened is not an
// error: the routine then finds nothing, reads nothing or writes nothing.

#include <windows.h>

#include <cstdint>
#include <string>

namespace RegEdit {

// How a value is held: 0 a REG_DWORD whose text is the decimal signed 32-bit
// integer, 1 a REG_SZ holding the text itself. With any other kind the
// routines open (and if asked create) the key and then do nothing.
using ValueKind = std::int32_t;
inline constexpr ValueKind ValueKindInteger = 0;
inline constexpr ValueKind ValueKindString = 1;

// Whether the key opens and holds a value named valueName.
bool KeyValueExists(HKEY root, const std::string& keyPath, bool canCreate,
    const std::string& valueName);

// When the key opens and the value exists, replaces text with the value read
// according to kind; otherwise leaves text as it is. Raises
// tk::ERegistryException "Failed to get data for '<name>'" or
// "Invalid data type for '<name>'"; text is then undefined.
void ReadKeyValue(HKEY root, const std::string& keyPath, bool canCreate,
    const std::string& valueName, ValueKind kind, std::string& text);

// When the key opens, stores text as a value of the given kind, replacing any
// value of that name. For kind 0, text that is not an integer raises
// tk::EConvertError "'<text>' is not a valid integer value" before anything
// is written. A refused write raises tk::ERegistryException
// "Failed to set data for '<name>'".
void WriteKeyValue(HKEY root, const std::string& keyPath, bool canCreate,
    const std::string& valueName, ValueKind kind, const std::string& text);

} // namespace RegEdit

using RegEdit::KeyValueExists;
using RegEdit::ReadKeyValue;
using RegEdit::ValueKind;
using RegEdit::WriteKeyValue;
