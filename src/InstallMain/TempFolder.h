#pragma once
// Removal of the installer's folder in the temporary folder.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace InstallMain {

// Deletes the folder `path` with everything in it through the shell, for
// good and without asking; any window the shell shows is owned by `owner`.
// The shell's result is not examined. A path of more than 127 characters
// (or an empty one, or one holding a zero character) is not handed over:
// the shell's source list has room for 127 characters and its two zeros.
void DeleteTempFolder(HWND owner, const std::string& path);

// The same with the shell operation passed in; DeleteTempFolder uses
// SHFileOperationA.
using ShellFileOperation = int (*)(SHFILEOPSTRUCTA*);
void DeleteTempFolder(HWND owner, const std::string& path, ShellFileOperation operation);

} // namespace InstallMain
