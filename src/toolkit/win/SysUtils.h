#pragma once
// Run-time helpers over Win32: system error texts, paths, files and folders.

#include <windows.h>

#include <string>

namespace tk {

// The system's text for an error code, without trailing blanks, line breaks
// and full stops; empty when the system has none.
std::string SysErrorMessage(DWORD code);

// The path made absolute against the current folder (no check that it exists).
std::string ExpandFileName(const std::string& path);

// True for an existing file, false for a folder or nothing.
bool FileExists(const std::string& path);
// True for an existing folder.
bool DirectoryExists(const std::string& path);

} // namespace tk
