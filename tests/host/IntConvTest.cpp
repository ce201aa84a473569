#include "toolkit/core/Exceptions.h"
#include "toolkit/core/IntConv.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace {

struct ConvCase {
    std::string text;
    std::optional<std::int32_t> value; // nothing: rejected
};

// Printable ASCII as it is, every other byte as \xNN: the text names the case.
void PrintTo(const ConvCase& c, std::ostream* os)
{
    static const char hex[] = "0123456789ABCDEF";
    *os << '"';
    for (const char ch : c.text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte < 0x7F && ch != '\\')
            *os << ch;
        else
            *os << "\\x" << hex[byte >> 4] << hex[byte & 15];
    }
    *os << '"';
}

class TextToInteger : public testing::TestWithParam<ConvCase> {};

TEST_P(TextToInteger, AcceptsExactlyTheIntegerForms)
{
    const ConvCase& c = GetParam();
    EXPECT_EQ(tk::TryStrToInt(c.text), c.value);
    if (c.value) {
        EXPECT_EQ(tk::StrToInt(c.text), *c.value);
    } else {
        try {
            tk::StrToInt(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const tk::EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + c.text + "' is not a valid integer value");
        }
    }
}

const std::optional<std::int32_t> rejected;

INSTANTIATE_TEST_SUITE_P(Decimal, TextToInteger,
    testing::Values(ConvCase{"0", 0}, ConvCase{"12", 12}, ConvCase{"007", 7},
        ConvCase{" 12", 12}, ConvCase{"    -5", -5}, ConvCase{"+7", 7}, ConvCase{"-0", 0},
        ConvCase{"2147483647", 2147483647}, ConvCase{"-2147483648", INT32_MIN},
        ConvCase{"+2147483647", 2147483647}, ConvCase{"00000000002147483647", 2147483647},
        ConvCase{"2147483648", rejected}, ConvCase{"-2147483649", rejected},
        ConvCase{"4294967296", rejected}, ConvCase{"99999999999999999999", rejected},
        ConvCase{"4294967295", rejected}));

INSTANTIATE_TEST_SUITE_P(Hexadecimal, TextToInteger,
    testing::Values(ConvCase{"$1F", 31}, ConvCase{"$1f", 31}, ConvCase{"0x10", 16},
        ConvCase{"0X10", 16}, ConvCase{"x1f", 31}, ConvCase{"X1F", 31}, ConvCase{"-0x10", -16},
        ConvCase{"+$a", 10}, ConvCase{" -x7fffffff", -2147483647}, ConvCase{"$7FFFFFFF", 2147483647},
        ConvCase{"-$80000000", INT32_MIN}, ConvCase{"$0", 0}, ConvCase{"0x000000001", 1},
        // Beyond the signed range, hexadecimal text is rejected as decimal is:
        // nothing wraps round to a negative value.
        ConvCase{"$80000000", rejected}, ConvCase{"0xFFFFFFFF", rejected},
        ConvCase{"-$80000001", rejected}, ConvCase{"$100000000", rejected},
        ConvCase{"x", rejected}, ConvCase{"$", rejected}, ConvCase{"0x", rejected},
        ConvCase{"-$", rejected}, ConvCase{"$g", rejected}, ConvCase{"1F", rejected},
        ConvCase{"0x0x1", rejected}, ConvCase{"$$1", rejected}, ConvCase{"$-1", rejected},
        ConvCase{"0 x1", rejected}, ConvCase{"$ 1", rejected}, ConvCase{"h10", rejected}));

INSTANTIATE_TEST_SUITE_P(Malformed, TextToInteger,
    testing::Values(ConvCase{"", rejected}, ConvCase{" ", rejected}, ConvCase{"+", rejected},
        ConvCase{"-", rejected}, ConvCase{"12a", rejected}, ConvCase{"12 ", rejected},
        ConvCase{"1 2", rejected}, ConvCase{"- 5", rejected}, ConvCase{"+-5", rejected},
        ConvCase{"--5", rejected}, ConvCase{"\t5", rejected}, ConvCase{"5\n", rejected},
        ConvCase{"1.0", rejected}, ConvCase{"1e3", rejected}, ConvCase{"1,000", rejected},
        ConvCase{"\xA3\xB1", rejected}, // a full-width digit of the code page
        ConvCase{std::string("12\0", 3), rejected}, ConvCase{std::string("\0" "12", 3), rejected}));

TEST(IntegerToText, DecimalWithSign)
{
    EXPECT_EQ(tk::IntToStr(0), "0");
    EXPECT_EQ(tk::IntToStr(31), "31");
    EXPECT_EQ(tk::IntToStr(-1), "-1");
    EXPECT_EQ(tk::IntToStr(INT32_MAX), "2147483647");
    EXPECT_EQ(tk::IntToStr(INT32_MIN), "-2147483648");
}

TEST(IntegerToText, RoundTripsAtTheLimits)
{
    for (std::int64_t v = INT32_MIN; v <= INT32_MAX; v += 65537 * 7 + 1) {
        const auto value = static_cast<std::int32_t>(v);
        EXPECT_EQ(tk::StrToInt(tk::IntToStr(value)), value);
    }
    for (const std::int32_t value : {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX - 1, INT32_MAX})
        EXPECT_EQ(tk::StrToInt(tk::IntToStr(value)), value);
}

} // namespace
