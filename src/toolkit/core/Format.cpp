#include "toolkit/core/Format.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace tk {

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string result;
    if (length > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        result.assign(buffer.data(), static_cast<std::size_t>(length));
    }
    va_end(args);
    return result;
}

std::string WithFinalPeriod(const std::string& message)
{
    if (message.empty())
        return message;
    // The first byte of the last character: in code page 936 a trail byte
    // can itself look like ASCII, so walk the lead bytes from the start.
    std::size_t last = 0;
    for (std::size_t i = 0; i < message.size();) {
        last = i;
        const auto byte = static_cast<unsigned char>(message[i]);
        i += (byte >= 0x81 && byte <= 0xFE && i + 1 < message.size()) ? 2 : 1;
    }
    if (static_cast<unsigned char>(message[last]) > '.')
        return message + '.';
    return message;
}

} // namespace tk
