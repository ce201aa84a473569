#pragma once
// The system's temporary folder as the installer keeps it, and the target
// folder offered when no earlier installation is known.

#include <string>
#include <vector>

namespace InstallMain {

// The temporary folder exactly as GetTempPathA gives it, ending in "\",
// zero-terminated. 100 characters as a rule; larger when the system's path
// needs more than 99. Holds only zeros when the system names no folder.
extern std::vector<char> TempPathBuf;

// The temporary folder without its trailing separator.
extern std::string TempDir;

// Fills TempPathBuf and TempDir from the system. Called once, when the
// wizard window is created.
void InitTempPaths();

// The text in TempPathBuf up to its terminating zero.
std::string TempPathText();

// The default target folder: the drive root of TempDir followed by
// "Program Files\VTQ". A temporary folder that is a drive root or does not
// begin with a drive letter, ":" and "\" gives the same folder on the
// drive of the Windows folder instead.
std::string DefaultInstallDir();

// The folder removed at the end of the run: TempPathBuf's text + "\VTQ"
// (two separators in a row). Empty when TempPathBuf is empty.
std::string TempCleanupPath();

} // namespace InstallMain
