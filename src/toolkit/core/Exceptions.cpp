#include "toolkit/core/Exceptions.h"

#include "toolkit/core/Format.h"

namespace tk {

namespace {

std::string InOutMessage(std::int32_t code)
{
    switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "Read beyond end of file";
    case 101: return "Disk full";
    case 106: return "Invalid numeric input";
    default: return Format("I/O error %d", static_cast<int>(code));
    }
}

} // namespace

EInOutError::EInOutError(std::int32_t code) : Exception(InOutMessage(code)), code_(code) {}

} // namespace tk
