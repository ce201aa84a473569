// The temporary folder as the installer reads it, the default target folder
// derived from it, and the clean-up path, for temporary folders set through
// TMP and TEMP of this process.

#include "InstallMain/TempPaths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

struct TempCase {
    const char* name;
    std::string tmp;             // TMP and TEMP of the process
    std::string pathText;        // expected text in TempPathBuf
    std::string tempDir;         // expected TempDir
    std::string defaultTarget;   // expected DefaultInstallDir()
    bool usualBuffer;            // TempPathBuf is the usual 100 characters
};

std::string Letters(size_t count)
{
    std::string text;
    for (size_t i = 0; i < count; ++i)
        text += static_cast<char>('a' + i % 26);
    return text;
}

// "C:\" + folder name: `total` characters without the separator GetTempPathA adds.
std::string LongFolder(size_t total)
{
    return "C:\\" + Letters(total - 3);
}

std::ostream& operator<<(std::ostream& out, const TempCase& c)
{
    return out << c.name;
}

class TempPathsTest : public ::testing::TestWithParam<TempCase> {};

TEST_P(TempPathsTest, ReadsTempFolderAndDerivesDefaultTarget)
{
    const TempCase& c = GetParam();
    ASSERT_TRUE(::SetEnvironmentVariableA("TMP", c.tmp.c_str()));
    ASSERT_TRUE(::SetEnvironmentVariableA("TEMP", c.tmp.c_str()));

    // Garbage from an earlier call must not survive.
    InstallMain::TempPathBuf.assign(300, 'x');
    InstallMain::InitTempPaths();

    EXPECT_EQ(InstallMain::TempPathText(), c.pathText);
    ASSERT_FALSE(InstallMain::TempPathBuf.empty());
    EXPECT_GT(InstallMain::TempPathBuf.size(), c.pathText.size());
    EXPECT_EQ(InstallMain::TempPathBuf[c.pathText.size()], '\0');
    if (c.usualBuffer) {
        EXPECT_EQ(InstallMain::TempPathBuf.size(), 100u);
    }
    EXPECT_EQ(InstallMain::TempDir, c.tempDir);
    EXPECT_EQ(InstallMain::DefaultInstallDir(), c.defaultTarget);
    EXPECT_EQ(InstallMain::TempCleanupPath(), c.pathText + "\\VTQ");
}

// The Wine prefix's Windows folder is C:\windows, so the system drive is C:.
INSTANTIATE_TEST_SUITE_P(
    Folders, TempPathsTest,
    ::testing::Values(
        TempCase{"FolderOnOtherDrive", "Z:\\tmp\\h4-temp", "Z:\\tmp\\h4-temp\\", "Z:\\tmp\\h4-temp",
                 "Z:\\Program Files\\VTQ", true},
        TempCase{"FolderOnSystemDrive", "C:\\users\\Public\\Temp", "C:\\users\\Public\\Temp\\",
                 "C:\\users\\Public\\Temp", "C:\\Program Files\\VTQ", true},
        TempCase{"DriveRoot", "Z:\\", "Z:\\", "Z:", "C:\\Program Files\\VTQ", true},
        TempCase{"UncPath", "\\\\server\\share\\tmp", "\\\\server\\share\\tmp\\",
                 "\\\\server\\share\\tmp", "C:\\Program Files\\VTQ", true},
        // 99 characters with the separator: the usual buffer just holds it.
        TempCase{"NinetyNineCharacters", LongFolder(98), LongFolder(98) + "\\", LongFolder(98),
                 "C:\\Program Files\\VTQ", true},
        // 100 and more: read again into a buffer of the size the system asks for.
        TempCase{"HundredCharacters", LongFolder(99), LongFolder(99) + "\\", LongFolder(99),
                 "C:\\Program Files\\VTQ", false},
        TempCase{"VeryLong", "Z:\\tmp\\" + Letters(170), "Z:\\tmp\\" + Letters(170) + "\\",
                 "Z:\\tmp\\" + Letters(170), "Z:\\Program Files\\VTQ", false}),
    [](const ::testing::TestParamInfo<TempCase>& info) { return std::string(info.param.name); });

} // namespace
