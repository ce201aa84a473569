// The target folder the real setup.exe offers at start: the default for a
// given temporary folder, or what an earlier installation recorded.

#include "InstallFormRows.h"
#include "UiDriver.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

const int InstallDirRow = RowOf("InstallDir");
const int BrowseBtnRow = RowOf("BrowseBtn");

// HKEY_LOCAL_MACHINE\SOFTWARE\VTQ "Install_Dir", set or removed per test.
class EarlierInstallation {
public:
    EarlierInstallation() { Remove(); }
    ~EarlierInstallation() { Remove(); }
    void SetString(const std::string& folder) { Set(REG_SZ, folder.c_str(), static_cast<DWORD>(folder.size() + 1)); }
    void SetNumber(DWORD value) { Set(REG_DWORD, &value, sizeof(value)); }

private:
    void Set(DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VTQ", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr),
            ERROR_SUCCESS);
        ::RegSetValueExA(key, "Install_Dir", 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(key);
    }
    void Remove() { ::RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VTQ", "Install_Dir"); }
};

std::string Offered(const std::map<std::string, std::string>& environment = {})
{
    ui::SetupProcess setup(ui::SetupExe(), environment);
    EXPECT_NE(setup.MainWindow(), nullptr);
    return ui::Text(setup.Component(InstallDirRow));
}

TEST(TargetFolder, DefaultFollowsTheTemporaryFolder)
{
    EarlierInstallation none;
    const std::string longTemp = "C:\\" + std::string(120, 't');
    ::CreateDirectoryA(longTemp.c_str(), nullptr);
    ::CreateDirectoryA("C:\\temp-for-setup", nullptr);
    struct Case {
        std::string temp;
        std::string offered;
    };
    const Case cases[] = {
        {"C:\\temp-for-setup", "C:\\Program Files\\VTQ"},
        {"Z:\\tmp", "Z:\\Program Files\\VTQ"},
        {"C:\\", "C:\\Program Files\\VTQ"},     // a drive root: the system drive's folder, not "C:Program Files"
        {longTemp, "C:\\Program Files\\VTQ"},   // more than 99 characters
    };
    for (const auto& c : cases)
        EXPECT_EQ(Offered({{"TMP", c.temp}, {"TEMP", c.temp}}), c.offered) << c.temp;
    ::RemoveDirectoryA(longTemp.c_str());
    ::RemoveDirectoryA("C:\\temp-for-setup");
}

TEST(TargetFolder, AnEarlierInstallationsFolderIsShownExactly)
{
    EarlierInstallation earlier;
    earlier.SetString("D:\\Tools\\截图 VTQ\\");
    EXPECT_EQ(Offered(), "D:\\Tools\\截图 VTQ\\");
    earlier.SetString("");
    EXPECT_EQ(Offered(), "");
}

TEST(TargetFolder, ANumberIsReportedAndTheDefaultStays)
{
    EarlierInstallation earlier;
    earlier.SetNumber(7);
    ::CreateDirectoryA("C:\\temp-for-setup", nullptr);
    ui::SetupProcess setup(ui::SetupExe(), {{"TMP", "C:\\temp-for-setup"}, {"TEMP", "C:\\temp-for-setup"}});
    const auto box = setup.FindMessageBox(20000);
    ASSERT_TRUE(box.has_value()) << "no error box";
    // The message ends in "'", which sorts before ".": no full stop is added.
    EXPECT_EQ(box->text, "Invalid data type for 'Install_Dir'");
    EXPECT_EQ(box->caption, "Kelvaro安装程序");
    EXPECT_TRUE(box->anyIcon) << "the error display shows its icon";
    EXPECT_TRUE(box->hasOk);
    EXPECT_FALSE(box->hasCancel);
    ui::Answer(*box, IDOK);
    ASSERT_NE(setup.MainWindow(), nullptr) << "the window appears after the box";
    EXPECT_EQ(ui::Text(setup.Component(InstallDirRow)), "C:\\Program Files\\VTQ");
    ::RemoveDirectoryA("C:\\temp-for-setup");
}

TEST(TargetFolder, CancellingTheFolderBrowserLeavesTheText)
{
    EarlierInstallation earlier;
    earlier.SetString("C:\\Keep\\This");
    ui::SetupProcess setup(ui::SetupExe());
    HWND window = setup.MainWindow();
    ASSERT_NE(window, nullptr);
    // The folder page is not reachable through the wizard's buttons yet: the
    // click is delivered as the notification the button would send.
    HWND browse = setup.Component(BrowseBtnRow);
    ::PostMessageA(::GetParent(browse), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(browse), BN_CLICKED),
        reinterpret_cast<LPARAM>(browse));
    const auto dialog = setup.FindMessageBox(15000);
    ASSERT_TRUE(dialog.has_value()) << "the folder browser did not open";
    EXPECT_EQ(dialog->owner, window);
    EXPECT_FALSE(ui::Enabled(window)) << "the wizard takes no input while the browser is open";
    ui::Answer(*dialog, IDCANCEL);
    ASSERT_TRUE(ui::WaitFor([&] { return ui::Enabled(window); }, 10000));
    EXPECT_EQ(ui::Text(setup.Component(InstallDirRow)), "C:\\Keep\\This");
    EXPECT_FALSE(setup.FindMessageBox(300).has_value());
}

} // namespace
