// The desktop and Programs shortcuts, written into the Wine prefix's own
// Desktop and Programs folders and read back through IShellLinkA.

#include "InstallMain/Shortcuts.h"

#include "toolkit/core/Exceptions.h"
#include "toolkit/win/ComObject.h"
#include "toolkit/win/SysUtils.h"

#include "FolderTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace foldertest;

const char* const AppLink = "\\Kelvaro.lnk";
const char* const ProgramsAppLink = "\\VTQ\\Kelvaro.lnk";
const char* const ProgramsUninstallLink = "\\VTQ\\卸载Kelvaro.lnk";

std::wstring Wide(const std::string& text)
{
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
    return wide;
}

// Everything a link file says, as IShellLinkA reports it.
struct LinkContents {
    bool loaded = false;
    std::string path;
    std::string workingDirectory;
    std::string arguments;
    std::string description;
    std::string iconLocation;
    int iconIndex = -1;
    WORD hotkey = 0xFFFF;
    int showCommand = -1;
};

LinkContents ReadLink(const std::string& file)
{
    LinkContents contents;
    tk::ComPtr<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  link.PutVoid())))
        return contents;
    tk::ComPtr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.PutVoid())))
        return contents;
    if (FAILED(persist->Load(Wide(file).c_str(), STGM_READ)))
        return contents;
    contents.loaded = true;
    char text[1024] = {};
    link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
    contents.path = text;
    text[0] = '\0';
    link->GetWorkingDirectory(text, sizeof text);
    contents.workingDirectory = text;
    text[0] = '\0';
    link->GetArguments(text, sizeof text);
    contents.arguments = text;
    text[0] = '\0';
    link->GetDescription(text, sizeof text);
    contents.description = text;
    text[0] = '\0';
    link->GetIconLocation(text, sizeof text, &contents.iconIndex);
    contents.iconLocation = text;
    link->GetHotkey(&contents.hotkey);
    link->GetShowCmd(&contents.showCommand);
    return contents;
}

// Checks one link: its target, its working folder, and that nothing else is set.
void ExpectLink(const std::string& file, const std::string& target, const std::string& workingFolder)
{
    SCOPED_TRACE(file);
    const LinkContents link = ReadLink(file);
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(link.path, target);
    EXPECT_EQ(link.workingDirectory, workingFolder);
    EXPECT_EQ(link.arguments, "");
    EXPECT_EQ(link.description, "");
    EXPECT_EQ(link.iconLocation, "");
    EXPECT_EQ(link.iconIndex, 0);
    EXPECT_EQ(link.hotkey, 0);
    EXPECT_EQ(link.showCommand, SW_SHOWNORMAL);
}

int CountEntries(const std::string& folder)
{
    int count = 0;
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..")
            ++count;
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
    return count;
}

// COM as the program has it on its window thread; the shortcut folders of
// the prefix cleared before and after each test.
class ShortcutsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        desktop_ = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
        programs_ = SpecialFolder(CSIDL_PROGRAMS);
        ASSERT_FALSE(desktop_.empty());
        ASSERT_FALSE(programs_.empty());
        RestoreMovedFolders();
        ASSERT_TRUE(IsFolder(desktop_));
        ASSERT_TRUE(IsFolder(programs_));
        RemoveShortcuts();
        RemoveTree(targetRoot_);
        MakeFolders(target_);
        WriteTextFile(target_ + "\\VTQ.exe", "MZ");
    }
    void TearDown() override
    {
        InstallMain::ReleaseShortcutState();
        EXPECT_FALSE(InstallMain::ShellObject);
        EXPECT_FALSE(InstallMain::ShellLink);
        EXPECT_FALSE(InstallMain::PersistFile);
        EXPECT_TRUE(InstallMain::LinkFileName.empty());
        RestoreMovedFolders();
        RemoveShortcuts();
        RemoveTree(targetRoot_);
        ::CoUninitialize();
    }

    void RemoveShortcuts()
    {
        RemoveTree(desktop_ + AppLink);
        RemoveTree(programs_ + "\\VTQ");
    }
    // A special folder is moved aside to make its lookup fail.
    void MoveAside(const std::string& folder)
    {
        ASSERT_TRUE(::MoveFileA(folder.c_str(), (folder + ".h4-aside").c_str()));
    }
    void RestoreMovedFolders()
    {
        for (const std::string& folder : {desktop_, programs_})
            if (IsFolder(folder + ".h4-aside")) {
                RemoveTree(folder);
                ::MoveFileA((folder + ".h4-aside").c_str(), folder.c_str());
            }
    }

    std::string desktop_;
    std::string programs_;
    const std::string targetRoot_ = "C:\\h4-shortcuts";
    // No Uninstall.exe in it: targets are not checked.
    const std::string target_ = "C:\\h4-shortcuts\\Program Files\\VTQ";
};

TEST_F(ShortcutsTest, WritesTheThreeLinksWithTargetsAndWorkingFolder)
{
    InstallMain::CreateAppShortcuts(target_, [] {});
    InstallMain::CreateUninstallShortcut(target_);

    ExpectLink(desktop_ + AppLink, target_ + "\\VTQ.exe", target_);
    ExpectLink(programs_ + ProgramsAppLink, target_ + "\\VTQ.exe", target_);
    ExpectLink(programs_ + ProgramsUninstallLink, target_ + "\\Uninstall.exe", target_);
    EXPECT_EQ(CountEntries(programs_ + "\\VTQ"), 2);

    // The state kept for the exit sequence.
    EXPECT_TRUE(InstallMain::ShellObject);
    EXPECT_TRUE(InstallMain::ShellLink);
    EXPECT_TRUE(InstallMain::PersistFile);
    EXPECT_EQ(std::string(InstallMain::FolderPath), programs_);
    EXPECT_EQ(InstallMain::LinkFileName, Wide(programs_ + ProgramsUninstallLink));
}

TEST_F(ShortcutsTest, SecondRunOverwritesTheLinks)
{
    const std::string other = targetRoot_ + "\\Other";
    InstallMain::CreateAppShortcuts(target_, [] {});
    InstallMain::CreateUninstallShortcut(target_);
    IUnknown* const first = InstallMain::ShellObject.Get();
    first->AddRef();

    InstallMain::CreateAppShortcuts(other, [] {});
    InstallMain::CreateUninstallShortcut(other);

    // A new object replaced the first one, which only this test still holds.
    EXPECT_NE(InstallMain::ShellObject.Get(), first);
    EXPECT_EQ(first->Release(), 0u);
    ExpectLink(desktop_ + AppLink, other + "\\VTQ.exe", other);
    ExpectLink(programs_ + ProgramsAppLink, other + "\\VTQ.exe", other);
    ExpectLink(programs_ + ProgramsUninstallLink, other + "\\Uninstall.exe", other);
    EXPECT_EQ(CountEntries(programs_ + "\\VTQ"), 2);
}

TEST_F(ShortcutsTest, UsesAnExistingProgramsSubfolderAsItIs)
{
    MakeFolders(programs_ + "\\VTQ");
    WriteTextFile(programs_ + "\\VTQ\\keep.txt", "mine");

    InstallMain::CreateAppShortcuts(target_, [] {});
    InstallMain::CreateUninstallShortcut(target_);

    EXPECT_TRUE(IsFile(programs_ + "\\VTQ\\keep.txt"));
    ExpectLink(programs_ + ProgramsAppLink, target_ + "\\VTQ.exe", target_);
    ExpectLink(programs_ + ProgramsUninstallLink, target_ + "\\Uninstall.exe", target_);
}

TEST_F(ShortcutsTest, FileInPlaceOfProgramsSubfolderIsAnInputOutputError)
{
    WriteTextFile(programs_ + "\\VTQ", "not a folder");
    int statusCalls = 0;

    try {
        InstallMain::CreateAppShortcuts(target_, [&] { ++statusCalls; });
        FAIL() << "no error";
    } catch (const tk::EInOutError& e) {
        EXPECT_EQ(e.Message(), "I/O error 183");
        EXPECT_EQ(e.ErrorCode(), 183);
    }

    EXPECT_EQ(statusCalls, 1);
    ExpectLink(desktop_ + AppLink, target_ + "\\VTQ.exe", target_);
    EXPECT_TRUE(IsFile(programs_ + "\\VTQ"));
}

// The doubled separator is handed to the link object unchanged (see
// ShortcutCallsTest); Wine's link object keeps the target in its full-path
// form, so the file holds it with one separator, and the working folder as
// passed.
TEST_F(ShortcutsTest, TargetEndingInSeparatorGivesWorkingLinks)
{
    const std::string target = target_ + "\\";
    InstallMain::CreateAppShortcuts(target, [] {});
    InstallMain::CreateUninstallShortcut(target);

    const std::string app = tk::ExpandFileName(target + "\\VTQ.exe");
    const std::string uninstaller = tk::ExpandFileName(target + "\\Uninstall.exe");
    ExpectLink(desktop_ + AppLink, app, target);
    ExpectLink(programs_ + ProgramsAppLink, app, target);
    ExpectLink(programs_ + ProgramsUninstallLink, uninstaller, target);
}

TEST_F(ShortcutsTest, StatusIsSetOnceAfterTheLinkIsSetUpAndBeforeTheFirstSave)
{
    int calls = 0;
    bool desktopLinkExisted = true;
    std::string pathAtStatus;
    std::string workingFolderAtStatus;

    InstallMain::CreateAppShortcuts(target_, [&] {
        ++calls;
        desktopLinkExisted = Exists(desktop_ + AppLink);
        char text[MAX_PATH] = {};
        InstallMain::ShellLink->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
        pathAtStatus = text;
        text[0] = '\0';
        InstallMain::ShellLink->GetWorkingDirectory(text, MAX_PATH);
        workingFolderAtStatus = text;
    });

    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(desktopLinkExisted);
    EXPECT_EQ(pathAtStatus, target_ + "\\VTQ.exe");
    EXPECT_EQ(workingFolderAtStatus, target_);
}

// A special folder that cannot be looked up gets no shortcut, and nothing is
// written at the root of the current drive instead.
TEST_F(ShortcutsTest, MissingProgramsFolderSkipsItsShortcuts)
{
    MoveAside(programs_);
    ASSERT_FALSE(Exists(programs_));

    InstallMain::CreateAppShortcuts(target_, [] {});
    InstallMain::CreateUninstallShortcut(target_);

    ExpectLink(desktop_ + AppLink, target_ + "\\VTQ.exe", target_);
    EXPECT_FALSE(Exists(programs_));
    EXPECT_FALSE(Exists(tk::ExpandFileName("\\VTQ")));
    EXPECT_FALSE(Exists(tk::ExpandFileName("\\Kelvaro.lnk")));
    EXPECT_EQ(std::string(InstallMain::FolderPath), "");
}

TEST_F(ShortcutsTest, MissingDesktopFolderSkipsItsShortcut)
{
    MoveAside(desktop_);
    ASSERT_FALSE(Exists(desktop_));

    InstallMain::CreateAppShortcuts(target_, [] {});
    InstallMain::CreateUninstallShortcut(target_);

    EXPECT_FALSE(Exists(desktop_));
    EXPECT_FALSE(Exists(tk::ExpandFileName("\\Kelvaro.lnk")));
    ExpectLink(programs_ + ProgramsAppLink, target_ + "\\VTQ.exe", target_);
    ExpectLink(programs_ + ProgramsUninstallLink, target_ + "\\Uninstall.exe", target_);
}

TEST_F(ShortcutsTest, UninstallShortcutBeforeAppShortcutsWritesNothing)
{
    InstallMain::CreateUninstallShortcut(target_);
    EXPECT_FALSE(Exists(programs_ + "\\VTQ"));
}

// On a thread without COM the link object cannot be created: a COM error
// naming the class, and nothing written.
TEST_F(ShortcutsTest, ObjectThatCannotBeCreatedIsAComErrorWithTheClassId)
{
    std::string message;
    std::int32_t code = 0;
    int statusCalls = 0;
    Thread([&] {
        try {
            InstallMain::CreateAppShortcuts(target_, [&] { ++statusCalls; });
        } catch (const tk::EOleSysError& e) {
            message = e.Message();
            code = e.ErrorCode();
        }
    }).Join();

    EXPECT_EQ(code, static_cast<std::int32_t>(CO_E_NOTINITIALIZED));
    const std::string systemText = tk::SysErrorMessage(static_cast<DWORD>(CO_E_NOTINITIALIZED));
    const std::string expectedText = systemText.empty() ? "OLE error 800401f0" : systemText;
    EXPECT_EQ(message, expectedText + ", ClassID: {00021401-0000-0000-C000-000000000046}");
    EXPECT_EQ(statusCalls, 0);
    EXPECT_FALSE(Exists(desktop_ + AppLink));
    EXPECT_FALSE(InstallMain::ShellObject);
}

// The toolkit's COM helpers on their own.
class RefusingObject : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        *out = nullptr;
        if (iid == IID_IUnknown) {
            *out = this;
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

TEST(ComObjectTest, RefusedInterfaceIsInterfaceNotSupported)
{
    RefusingObject object;
    try {
        tk::QueryInterfaceOf<IShellLinkA>(&object, IID_IShellLinkA);
        FAIL() << "no error";
    } catch (const tk::EIntfCastError& e) {
        EXPECT_EQ(e.Message(), "Interface not supported");
    }
}

TEST(ComObjectTest, UnknownClassIsAComErrorWithTheClassId)
{
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    const CLSID unknown = {0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
    try {
        tk::CreateComObject(unknown);
        ADD_FAILURE() << "no error";
    } catch (const tk::EOleSysError& e) {
        EXPECT_EQ(e.ErrorCode(), static_cast<std::int32_t>(REGDB_E_CLASSNOTREG));
        const std::string suffix = ", ClassID: {12345678-9ABC-DEF0-0123-456789ABCDEF}";
        ASSERT_GT(e.Message().size(), suffix.size());
        EXPECT_EQ(e.Message().substr(e.Message().size() - suffix.size()), suffix);
        const char last = e.Message()[e.Message().size() - suffix.size() - 1];
        EXPECT_NE(last, '.');
        EXPECT_NE(last, ' ');
        EXPECT_NE(last, '\n');
    }
    ::CoUninitialize();
}

TEST(ComObjectTest, CodeWithoutSystemTextIsShownInHexadecimal)
{
    EXPECT_EQ(tk::OleErrorMessage(static_cast<HRESULT>(0xA0B1C2D3)), "OLE error a0b1c2d3");
}

} // namespace
