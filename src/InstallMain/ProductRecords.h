#pragma once
// The registry records of an installation: the application's key with its
// folder and version, the initial settings, and the entry in the list of
// installed programs, all under HKEY_LOCAL_MACHINE.

#include <string>

namespace InstallMain {

// Writes the records in table order, each through WriteKeyValue with
// canCreate true, the folder used exactly as given. A key that cannot be
// opened or created skips its record silently; a refused write raises
// tk::ERegistryException and leaves the later records unwritten.
void WriteProductRecords(const std::string& targetFolder);

} // namespace InstallMain
