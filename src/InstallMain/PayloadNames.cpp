#include "InstallMain/PayloadNames.h"

#include <cstddef>

namespace InstallMain {

const std::array<std::string, 4> PayloadNames = {"VTQexe", "VTQMaindll", "Uninstallexe", "Readmetxt"};

namespace {

// Characters of text from the 1-based position start, at most count of them:
// a start below 1 counts as 1, a negative count takes nothing, and the copy
// stops at the end of the text.
std::string Copy(const std::string& text, long long start, long long count)
{
    if (start < 1)
        start = 1;
    if (count <= 0 || start > static_cast<long long>(text.size()))
        return {};
    return text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
}

} // namespace

std::string PayloadFileName(const std::string& entry)
{
    const auto length = static_cast<long long>(entry.size());
    return Copy(entry, 1, length - 3) + "." + Copy(entry, length - 2, length - 3);
}

std::string PayloadResourceType(const std::string& entry)
{
    return "my" + entry;
}

} // namespace InstallMain
