// Removal of the "VTQ" folder in the temporary folder: the request handed to
// the shell, and what the shell does with it under Wine.

#include "InstallMain/TempFolder.h"
#include "InstallMain/TempPaths.h"

#include "FolderTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace foldertest;

// What the shell was handed by the last call.
struct Request {
    int calls = 0;
    HWND hwnd = nullptr;
    UINT func = 0;
    std::vector<char> from; // all 129 characters of the source buffer
    bool toIsNull = false;
    FILEOP_FLAGS flags = 0;
    bool aborted = true;
    bool mappingsNull = false;
    bool titleNull = false;
};
Request lastRequest;

int RecordRequest(SHFILEOPSTRUCTA* request)
{
    ++lastRequest.calls;
    lastRequest.hwnd = request->hwnd;
    lastRequest.func = request->wFunc;
    lastRequest.from.assign(request->pFrom, request->pFrom + 129);
    lastRequest.toIsNull = request->pTo == nullptr;
    lastRequest.flags = request->fFlags;
    lastRequest.aborted = request->fAnyOperationsAborted;
    lastRequest.mappingsNull = request->hNameMappings == nullptr;
    lastRequest.titleNull = request->lpszProgressTitle == nullptr;
    return 0;
}

struct PathCase {
    const char* name;
    std::string path;
    bool handedOver;
};

std::ostream& operator<<(std::ostream& out, const PathCase& c)
{
    return out << c.name;
}

class DeleteRequestTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(DeleteRequestTest, HandsThePathUnalteredWithTwoZerosOrNothing)
{
    const PathCase& c = GetParam();
    lastRequest = Request{};
    const HWND owner = reinterpret_cast<HWND>(static_cast<intptr_t>(0x1234));

    InstallMain::DeleteTempFolder(owner, c.path, &RecordRequest);

    if (!c.handedOver) {
        EXPECT_EQ(lastRequest.calls, 0);
        return;
    }
    ASSERT_EQ(lastRequest.calls, 1);
    EXPECT_EQ(lastRequest.hwnd, owner);
    EXPECT_EQ(lastRequest.func, static_cast<UINT>(FO_DELETE));
    EXPECT_EQ(std::string(lastRequest.from.data(), c.path.size()), c.path);
    for (size_t i = c.path.size(); i < lastRequest.from.size(); ++i)
        ASSERT_EQ(lastRequest.from[i], '\0') << "at " << i;
    EXPECT_TRUE(lastRequest.toIsNull);
    EXPECT_EQ(lastRequest.flags, static_cast<FILEOP_FLAGS>(FOF_NOCONFIRMATION));
    EXPECT_FALSE(lastRequest.aborted);
    EXPECT_TRUE(lastRequest.mappingsNull);
    EXPECT_TRUE(lastRequest.titleNull);
}

std::string PathOfLength(size_t length)
{
    std::string path = "C:\\users\\Temp\\\\VTQ";
    path.insert(3, std::string(length - path.size(), 'p'));
    return path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DeleteRequestTest,
    ::testing::Values(PathCase{"DoubledSeparator", "C:\\users\\me\\Temp\\\\VTQ", true},
                      PathCase{"Longest", PathOfLength(127), true},
                      PathCase{"OneTooLong", PathOfLength(128), false},
                      PathCase{"Empty", "", false},
                      PathCase{"EmbeddedZero", std::string("C:\\a\0C:\\b", 9), false}),
    [](const ::testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

// The real shell under Wine, on the path the run builds from TempPathBuf.
class TempFolderShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveTree(root_);
        owner_ = MakeWindow("owner", 10);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override
    {
        ::DestroyWindow(owner_);
        RemoveTree(root_);
    }
    void UseTempFolder(const std::string& folder)
    {
        MakeFolders(folder);
        ASSERT_TRUE(IsFolder(folder));
        ::SetEnvironmentVariableA("TMP", folder.c_str());
        ::SetEnvironmentVariableA("TEMP", folder.c_str());
        InstallMain::InitTempPaths();
        ASSERT_EQ(InstallMain::TempDir, folder);
    }

    const std::string root_ = "C:\\h4-tempfolder";
    HWND owner_ = nullptr;
};

TEST_F(TempFolderShellTest, RemovesFolderOfFilesAndSubfoldersWithoutAsking)
{
    const std::string temp = root_ + "\\Temp";
    UseTempFolder(temp);
    const std::string vtq = temp + "\\VTQ";
    MakeFolders(vtq + "\\sub\\deeper");
    WriteTextFile(vtq + "\\a.txt", "a");
    WriteTextFile(vtq + "\\sub\\b.bin", "bb");
    WriteTextFile(vtq + "\\sub\\deeper\\c.txt", "ccc");
    WriteTextFile(temp + "\\sibling.txt", "stays");
    MakeFolders(temp + "\\VTQ2");
    ASSERT_TRUE(IsFile(vtq + "\\sub\\deeper\\c.txt"));

    const std::string path = InstallMain::TempCleanupPath();
    ASSERT_EQ(path, temp + "\\\\VTQ");
    {
        DialogWatchdog watchdog(owner_);
        InstallMain::DeleteTempFolder(owner_, path);
        EXPECT_EQ(watchdog.Seen(), 0) << "the shell asked something";
    }

    EXPECT_FALSE(Exists(vtq));
    EXPECT_TRUE(IsFile(temp + "\\sibling.txt"));
    EXPECT_TRUE(IsFolder(temp + "\\VTQ2"));
}

TEST_F(TempFolderShellTest, MissingFolderIsFine)
{
    const std::string temp = root_ + "\\Temp";
    UseTempFolder(temp);
    WriteTextFile(temp + "\\sibling.txt", "stays");
    {
        // Whatever the shell reports about the missing folder is closed here.
        DialogWatchdog watchdog(owner_);
        InstallMain::DeleteTempFolder(owner_, InstallMain::TempCleanupPath());
    }
    EXPECT_TRUE(IsFolder(temp));
    EXPECT_TRUE(IsFile(temp + "\\sibling.txt"));
}

TEST_F(TempFolderShellTest, OverLongPathIsLeftAlone)
{
    // 130 characters of temporary folder: its clean-up path does not fit.
    const std::string temp = root_ + "\\" + std::string(130 - root_.size() - 1, 't');
    UseTempFolder(temp);
    const std::string vtq = temp + "\\VTQ";
    MakeFolders(vtq);
    WriteTextFile(vtq + "\\a.txt", "a");
    ASSERT_GT(InstallMain::TempCleanupPath().size(), 127u);

    InstallMain::DeleteTempFolder(owner_, InstallMain::TempCleanupPath());

    EXPECT_TRUE(IsFile(vtq + "\\a.txt"));
}

} // namespace
