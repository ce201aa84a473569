#pragma once
// The desktop and Start menu shortcuts of the installed application, written
// through the shell link object.

#include "toolkit/win/ComPtr.h"
#include "toolkit/win/Handle.h"

#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>

namespace InstallMain {

// The link object made by CreateAppShortcuts and kept until exit, with its
// link and file interfaces.
extern tk::ComPtr<IUnknown> ShellObject;
extern tk::ComPtr<IShellLinkA> ShellLink;
extern tk::ComPtr<IPersistFile> PersistFile;
// Full path of the last .lnk file saved, in UTF-16.
extern std::wstring LinkFileName;
// Result of the last special-folder lookup, and its path (zero-terminated;
// empty when the lookup failed).
extern tk::UniquePidl FolderPidl;
extern char FolderPath[MAX_PATH + 1];

// Creates the link object and writes "<desktop>\Kelvaro.lnk" and
// "<Programs>\VTQ\Kelvaro.lnk", both starting targetFolder + "\VTQ.exe" in
// targetFolder. The Programs subfolder "VTQ" is created when it is not a
// folder; a failure raises EInOutError with the system's error code.
// onLinkReady is called once, after the link is set up and before the first
// save. A special folder that cannot be looked up gets no shortcut.
// Raises EOleSysError when the object cannot be created and EIntfCastError
// when it lacks one of the interfaces.
void CreateAppShortcuts(const std::string& targetFolder, const std::function<void()>& onLinkReady);

// Points the link object at targetFolder + "\Uninstall.exe" and writes
// "<Programs>\VTQ\卸载Kelvaro.lnk", in the Programs folder that
// CreateAppShortcuts looked up. Does nothing before CreateAppShortcuts.
void CreateUninstallShortcut(const std::string& targetFolder);

// Releases ShellObject, ShellLink and PersistFile in this order, frees
// LinkFileName and the last item-id list. Called at exit, before COM is
// uninitialised.
void ReleaseShortcutState();

} // namespace InstallMain
