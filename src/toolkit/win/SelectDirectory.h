#pragma once
// The shell's folder browser as one modal call.

#include <windows.h>

#include <string>

namespace tk {

// Shows the shell's folder browser with `caption` as the instruction text
// above the tree. The tree starts at `root` (a folder path), or at the top of
// the shell namespace when `root` is empty or names no folder the shell
// knows; no folder is selected when the
// dialog opens. Only file-system folders can be chosen, the dialog is the
// resizable new style without a "new folder" button, it is owned by `owner`
// and centred on the screen. While it is open, every visible and enabled
// top-level window of the calling thread is disabled; they are enabled again
// and the window that was active is activated again when it closes.
// COM must be initialised on the calling thread as a single-threaded
// apartment.
// Returns true and sets `directory` to the chosen folder's path; returns false
// and leaves `directory` unchanged when the user cancels.
bool SelectDirectory(const std::string& caption, const std::string& root, std::string& directory,
                     HWND owner);

} // namespace tk
