#include "toolkit/core/Exceptions.h"
#include "toolkit/core/Format.h"

#include <gtest/gtest.h>

namespace {

struct PeriodCase {
    const char* message;
    const char* shown;
};

class ErrorTextPeriod : public testing::TestWithParam<PeriodCase> {};

TEST_P(ErrorTextPeriod, AddsFullStopOnlyAfterCharactersAboveIt)
{
    EXPECT_EQ(tk::WithFinalPeriod(GetParam().message), GetParam().shown);
}

// Literals are code page 936 here, as in the program.
INSTANTIATE_TEST_SUITE_P(Messages, ErrorTextPeriod,
    testing::Values(PeriodCase{"done.", "done."}, PeriodCase{"stop!", "stop!"},
        PeriodCase{"(x)", "(x)"}, PeriodCase{"a,", "a,"}, PeriodCase{"trailing ", "trailing "},
        PeriodCase{"letter", "letter."}, PeriodCase{"digit 7", "digit 7."},
        PeriodCase{"slash/", "slash/."}, PeriodCase{"中文", "中文."}, PeriodCase{"", ""},
        // A two-byte character whose trail byte is "." or below must still be
        // treated as one character (0xA3 0x2E does not occur, but 0x81 0x40 does).
        PeriodCase{"\x81\x40", "\x81\x40."}, PeriodCase{"a\x81", "a\x81."}));

TEST(InOutError, MessagesByCode)
{
    const std::pair<int, const char*> cases[] = {{2, "File not found"}, {3, "Invalid filename"},
        {4, "Too many open files"}, {5, "File access denied"}, {100, "Read beyond end of file"},
        {101, "Disk full"}, {106, "Invalid numeric input"}, {183, "I/O error 183"}, {0, "I/O error 0"}};
    for (const auto& [code, message] : cases)
        EXPECT_EQ(tk::EInOutError(code).Message(), message) << code;
}

} // namespace
