#pragma once
// The registry records of an installation: the application's key with its
// folder and version, the initial settings, and the entry in the list of
// installed programs, all under HKEY_LOCAL_MACHINE.

#include <string>

namespace InstallMain {

// The application's key under HKEY_LOCAL_MACHINE, and the value that records
// the folder of an installation (read back at the next start).
inline constexpr const char* ProductKey = "SOFTWARE\\VTQ";
inline constexpr const char* InstallDirValue = "Install_Dir";

// Writes the records in table order, each through WriteKeyValue with
// canCreate true, the folder used exactly as given. A key that cannot be
// opened or created skips its record silently; a refused write raises
// tk::ERegistryException and leaves the later records unwritten.
void WriteProductRecords(const std::string& targetFolder);

} // namespace InstallMain
