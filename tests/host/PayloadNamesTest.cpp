#include "InstallMain/PayloadNames.h"

#include <gtest/gtest.h>

namespace {

TEST(PayloadNames, TheFourEntriesInOrderAndTheirNames)
{
    const char* const files[] = {"VTQ.exe", "VTQMain.dll", "Uninstall.exe", "Readme.txt"};
    const char* const types[] = {"myVTQexe", "myVTQMaindll", "myUninstallexe", "myReadmetxt"};
    ASSERT_EQ(InstallMain::PayloadNames.size(), 4u);
    EXPECT_EQ(InstallMain::PayloadNames[0], "VTQexe");
    EXPECT_EQ(InstallMain::PayloadNames[1], "VTQMaindll");
    EXPECT_EQ(InstallMain::PayloadNames[2], "Uninstallexe");
    EXPECT_EQ(InstallMain::PayloadNames[3], "Readmetxt");
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(InstallMain::PayloadFileName(InstallMain::PayloadNames[i]), files[i]);
        EXPECT_EQ(InstallMain::PayloadResourceType(InstallMain::PayloadNames[i]), types[i]);
    }
}

TEST(PayloadNames, FileNameOfEntriesOfAnyLength)
{
    const std::pair<const char*, const char*> cases[] = {
        {"abcdefg", "abcd.efg"}, {"abcdef", "abc.def"}, {"abcde", "ab.cd"}, {"abcd", "a.b"},
        {"abc", "."}, {"ab", "."}, {"a", "."}, {"", "."},
        // Case is kept as it stands.
        {"ReadMeTXT", "ReadMe.TXT"}};
    for (const auto& [entry, file] : cases)
        EXPECT_EQ(InstallMain::PayloadFileName(entry), file) << entry;
}

} // namespace
