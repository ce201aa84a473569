#pragma once
// The four payload entries, in the order the installation writes them, and
// the names derived from an entry.

#include <array>
#include <string>

namespace InstallMain {

// Each entry is a payload's file name with the dot taken out.
extern const std::array<std::string, 4> PayloadNames;

// File name of an entry: characters 1..L-3, a dot, then at most L-3
// characters from position L-2 (so "VTQexe" gives "VTQ.exe").
std::string PayloadFileName(const std::string& entry);

// Resource type of an entry: "my" + entry.
std::string PayloadResourceType(const std::string& entry);

} // namespace InstallMain
