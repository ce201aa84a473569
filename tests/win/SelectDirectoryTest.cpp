// The folder browser, opened in this process and driven from a second thread
// the way a user would: read what it shows, then cancel or choose a folder.

#include "toolkit/win/SelectDirectory.h"

#include "FolderTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <string>

namespace {

using namespace foldertest;

const std::string Caption = "请选择文件夹。";

// What the driver saw while the dialog was open.
struct Seen {
    bool found = false;
    bool showsCaption = false;
    bool ownerEnabled = true;
    bool otherWindowEnabled = true;
    bool centred = false;
    bool nothingSelected = false;
    std::string selectedText;
};

class SelectDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        RemoveTree(root_);
        MakeFolders(root_ + "\\chosen\\inner");
        owner_ = MakeWindow("owner", 10);
        other_ = MakeWindow("other", 300);
        ASSERT_NE(owner_, nullptr);
        ASSERT_NE(other_, nullptr);
    }
    void TearDown() override
    {
        ::DestroyWindow(other_);
        ::DestroyWindow(owner_);
        RemoveTree(root_);
        ::CoUninitialize();
    }

    // Opens the browser; a second thread waits for it, records what it shows
    // and then acts on it.
    bool Browse(const std::string& root, std::string& directory,
                const std::function<void(HWND dialog)>& act)
    {
        Thread driver([&] {
            const HWND dialog = WaitForOwnedDialog(owner_, 30000);
            if (!dialog)
                return;
            seen_.found = true;
            seen_.showsCaption = HasChildWithText(dialog, Caption);
            seen_.ownerEnabled = ::IsWindowEnabled(owner_);
            seen_.otherWindowEnabled = ::IsWindowEnabled(other_);
            RECT r{};
            ::GetWindowRect(dialog, &r);
            const int dx = (r.left + r.right) - ::GetSystemMetrics(SM_CXSCREEN);
            const int dy = (r.top + r.bottom) - ::GetSystemMetrics(SM_CYSCREEN);
            seen_.centred = dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2;
            if (HWND tree = FindChildOfClass(dialog, WC_TREEVIEWA)) {
                const LRESULT caret = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
                const LRESULT top = ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
                seen_.nothingSelected = caret == 0 || caret == top;
            }
            act(dialog);
        });
        const bool chosen = tk::SelectDirectory(Caption, root, directory, owner_);
        driver.Join();
        return chosen;
    }

    // Selects `folder` in the tree (as a click on it would) and presses OK.
    static std::function<void(HWND)> ChooseFolder(const std::string& folder)
    {
        return [folder](HWND dialog) {
            ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
            Pause(200);
            PressButton(dialog, IDOK);
        };
    }

    const std::string root_ = "C:\\h4-browse";
    HWND owner_ = nullptr;
    HWND other_ = nullptr;
    Seen seen_;
};

TEST_F(SelectDirectoryTest, CancelReturnsFalseAndLeavesDirectoryUnchanged)
{
    std::string directory = "unchanged";

    const bool chosen = Browse("", directory, [](HWND dialog) { PressButton(dialog, IDCANCEL); });

    ASSERT_TRUE(seen_.found) << "no folder browser owned by the window";
    EXPECT_FALSE(chosen);
    EXPECT_EQ(directory, "unchanged");
    EXPECT_TRUE(seen_.showsCaption);
    EXPECT_TRUE(seen_.nothingSelected);
    EXPECT_TRUE(seen_.centred);
    // Every window of the application is disabled while the dialog is open,
    // and enabled again afterwards.
    EXPECT_FALSE(seen_.ownerEnabled);
    EXPECT_FALSE(seen_.otherWindowEnabled);
    EXPECT_TRUE(::IsWindowEnabled(owner_));
    EXPECT_TRUE(::IsWindowEnabled(other_));
}

struct ChoiceCase {
    const char* name;
    std::string root;   // tree root given to the routine
    std::string folder; // folder selected in the tree
    std::string result; // path returned
};

std::ostream& operator<<(std::ostream& out, const ChoiceCase& c)
{
    return out << c.name;
}

class SelectDirectoryChoiceTest : public SelectDirectoryTest,
                                  public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(SelectDirectoryChoiceTest, ChosenFolderIsReturned)
{
    const ChoiceCase& c = GetParam();
    std::string directory;

    const bool chosen = Browse(c.root, directory, ChooseFolder(c.folder));

    ASSERT_TRUE(seen_.found) << "no folder browser owned by the window";
    EXPECT_TRUE(chosen);
    EXPECT_EQ(directory, c.result);
    EXPECT_FALSE(seen_.otherWindowEnabled);
    EXPECT_TRUE(::IsWindowEnabled(owner_));
    EXPECT_TRUE(::IsWindowEnabled(other_));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SelectDirectoryChoiceTest,
    ::testing::Values(ChoiceCase{"Folder", "", "C:\\h4-browse\\chosen", "C:\\h4-browse\\chosen"},
                      // A drive root comes back with its separator.
                      ChoiceCase{"DriveRoot", "", "C:\\", "C:\\"},
                      ChoiceCase{"UnderGivenRoot", "C:\\h4-browse", "C:\\h4-browse\\chosen\\inner",
                                 "C:\\h4-browse\\chosen\\inner"}),
    [](const ::testing::TestParamInfo<ChoiceCase>& info) { return std::string(info.param.name); });

} // namespace
