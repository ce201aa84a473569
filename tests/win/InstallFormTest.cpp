// TInstallForm in this process: the folder chosen through "浏览" becomes the
// target with the product's subfolder appended.

#include "FolderTestSupport.h"
#include "InstallMain/InstallMain.h"
#include "toolkit/win/Application.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

using namespace foldertest;

// Selects folder in the browser the form opens, as a click in its tree
// would, and confirms it.
void ChooseInTheNextBrowser(HWND owner, const std::string& folder)
{
    HWND dialog = WaitForOwnedDialog(owner, 15000);
    ASSERT_NE(dialog, nullptr) << "the folder browser did not open";
    EXPECT_TRUE(HasChildWithText(dialog, "请选择文件夹。"));
    ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    Pause(200);
    PressButton(dialog, IDOK);
}

TEST(InstallFormBrowse, TheChosenFolderGetsOneVtqSuffix)
{
    tk::TApplication application;
    application.SetTitle("Kelvaro安装程序");
    auto* form = application.CreateForm<TInstallForm>();
    form->Show();
    MakeFolders("C:\\browse-target\\inner");

    struct Choice {
        std::string folder;
        std::string target;
    };
    const Choice choices[] = {
        {"C:\\browse-target\\inner", "C:\\browse-target\\inner\\VTQ"},
        {"C:\\", "C:\\\\VTQ"}, // a drive root keeps its separator: two in a row
        {"C:\\browse-target", "C:\\browse-target\\VTQ"}, // replaced, not extended
    };
    for (const auto& choice : choices) {
        Thread chooser([&] { ChooseInTheNextBrowser(form->Handle(), choice.folder); });
        form->BrowseBtnClick(form->BrowseBtn);
        chooser.Join();
        EXPECT_EQ(form->InstallDir->Text(), choice.target);
    }
    RemoveTree("C:\\browse-target");
}

} // namespace
