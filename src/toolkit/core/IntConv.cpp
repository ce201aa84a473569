#include "toolkit/core/IntConv.h"

#include "toolkit/core/Exceptions.h"

namespace tk {

namespace {

int DigitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

} // namespace

std::optional<std::int32_t> TryStrToInt(const std::string& text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    int base = 10;
    if (i < n && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i < n && (text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }

    if (i == n)
        return std::nullopt; // no digits
    // The magnitude may reach 2^31 for a negative value only.
    const std::uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    std::uint32_t magnitude = 0;
    for (; i < n; ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0)
            return std::nullopt;
        if (magnitude > (limit - static_cast<std::uint32_t>(digit)) / static_cast<std::uint32_t>(base))
            return std::nullopt;
        magnitude = magnitude * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
    }

    if (negative)
        return static_cast<std::int32_t>(0u - magnitude); // two's complement, defined for 2^31 too
    return static_cast<std::int32_t>(magnitude);
}

std::int32_t StrToInt(const std::string& text)
{
    if (const auto value = TryStrToInt(text))
        return *value;
    throw EConvertError("'" + text + "' is not a valid integer value");
}

std::string IntToStr(std::int32_t value)
{
    return std::to_string(value);
}

} // namespace tk
