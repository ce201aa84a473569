#pragma once
// Conversion between text and signed 32-bit integers.
//
// Accepted text: optional leading blanks (the space character only), an
// optional "+" or "-", then either decimal digits or hexadecimal digits behind
// a "$", "0x", "0X", "x" or "X" prefix. Nothing may follow the digits. The
// value, sign applied, must lie in the signed 32-bit range; this holds for
// hexadecimal text too, so "$80000000" and "0xFFFFFFFF" are rejected while
// "-$80000000" is -2147483648. Empty text, a sign or prefix without digits,
// and any other character are rejected.

#include <cstdint>
#include <optional>
#include <string>

namespace tk {

// The value of text, or nothing when text is not accepted.
std::optional<std::int32_t> TryStrToInt(const std::string& text);

// The value of text; raises EConvertError "'<text>' is not a valid integer
// value" when text is not accepted.
std::int32_t StrToInt(const std::string& text);

// Decimal text, with a leading "-" for a negative value.
std::string IntToStr(std::int32_t value);

} // namespace tk
