// The product records against Wine's real registry: the application's key
// and the uninstall entry are removed before and after each test.

#include "InstallMain/ProductRecords.h"
#include "RegistryTestUtil.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace regtest;

const std::string AppKey = "SOFTWARE\\VTQ";
const std::string Conventional = AppKey + "\\Settings\\Conventional";
const std::string Save = AppKey + "\\Settings\\Save";
const std::string High = AppKey + "\\Settings\\High";
const std::string Uninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VTQ";

struct Expected {
    std::string key;
    std::string name;
    RawValue value;
};

// Everything a run records, for the given folder, in table order.
std::vector<Expected> Records(const std::string& folder)
{
    return {
        {AppKey, "Install_Dir", {REG_SZ, Sz(folder)}},
        {AppKey, "Ver", {REG_SZ, Sz("V1.4")}},
        {Conventional, "Sound", {REG_SZ, Sz("1")}},
        {Conventional, "Hide", {REG_SZ, Sz("1")}},
        {Conventional, "Delay", {REG_DWORD, Dword(0)}},
        {Conventional, "Width", {REG_SZ, Sz("600")}},
        {Conventional, "Height", {REG_SZ, Sz("400")}},
        {Save, "Comp", {REG_SZ, Sz("80")}},
        {Save, "Dir", {REG_SZ, std::string(1, '\0')}},
        {Save, "Temp", {REG_SZ, Sz("截图")}},
        {Save, "Time", {REG_SZ, Sz("0")}},
        {Save, "Type", {REG_SZ, Sz("1")}},
        {High, "Quit", {REG_DWORD, Dword(0)}},
        {Uninstall, "DisplayName", {REG_SZ, Sz("Kelvaro")}},
        {Uninstall, "UninstallString", {REG_SZ, Sz("\"" + folder + "\\Uninstall.exe\"")}},
        {Uninstall, "DisplayVersion", {REG_SZ, Sz("V1.1")}},
        {Uninstall, "Publisher", {REG_SZ, Sz("Dovrik工作室")}},
        {Uninstall, "URLInfoAbout", {REG_SZ, Sz("http://www.dovrik.example/")}},
        {Uninstall, "HelpLink", {REG_SZ, Sz("http://bbs.dovrik.example/")}},
        {Uninstall, "URLUpdateInfo", {REG_SZ, Sz("http://www.dovrik.example/")}},
    };
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

class ProductRecordsTest : public testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset()
    {
        DeleteKey(AppKey);
        DeleteKey(Uninstall);
        ASSERT_FALSE(KeyExists(AppKey));
        ASSERT_FALSE(KeyExists(Uninstall));
    }

    static void ExpectRecords(const std::string& folder)
    {
        for (const Expected& e : Records(folder)) {
            SCOPED_TRACE(e.key + " : " + e.name);
            EXPECT_EQ(QueryRaw(e.key, e.name), e.value);
        }
    }
};

TEST_F(ProductRecordsTest, WritesEveryRecordWithItsType)
{
    const std::string folder = "C:\\Program Files\\VTQ";
    InstallMain::WriteProductRecords(folder);
    ExpectRecords(folder);

    // The uninstall entry holds exactly its seven values; each settings key
    // holds only its own records.
    EXPECT_EQ(Sorted(ValueNames(Uninstall).value_or(std::vector<std::string>{})),
        Sorted({"DisplayName", "UninstallString", "DisplayVersion", "Publisher", "URLInfoAbout",
            "HelpLink", "URLUpdateInfo"}));
    EXPECT_EQ(Sorted(ValueNames(AppKey).value_or(std::vector<std::string>{})),
        Sorted({"Install_Dir", "Ver"}));
    EXPECT_EQ(ValueNames(Conventional).value_or(std::vector<std::string>{}).size(), 5u);
    EXPECT_EQ(ValueNames(Save).value_or(std::vector<std::string>{}).size(), 5u);
    EXPECT_EQ(ValueNames(High).value_or(std::vector<std::string>{}).size(), 1u);
}

TEST_F(ProductRecordsTest, FolderIsStoredAsGivenAndQuotedInTheUninstallCommand)
{
    const std::string folders[] = {
        "D:\\Apps\\VTQ\\",                // trailing separator kept: "\\" doubled before the file
        "c:\\program files (x86)\\VTQ",  // blanks and case kept
        "E:\\工具\\VTQ",
        "",
    };
    for (const std::string& folder : folders) {
        SCOPED_TRACE(folder);
        Reset();
        InstallMain::WriteProductRecords(folder);
        EXPECT_EQ(QueryRaw(AppKey, "Install_Dir"), (RawValue{REG_SZ, Sz(folder)}));
        EXPECT_EQ(QueryRaw(Uninstall, "UninstallString"),
            (RawValue{REG_SZ, Sz("\"" + folder + "\\Uninstall.exe\"")}));
    }
    Reset();
    InstallMain::WriteProductRecords("D:\\Apps\\VTQ\\");
    EXPECT_EQ(QueryRaw(Uninstall, "UninstallString"),
        (RawValue{REG_SZ, Sz("\"D:\\Apps\\VTQ\\\\Uninstall.exe\"")}));
}

TEST_F(ProductRecordsTest, SecondRunReplacesFolderAndResetsSettings)
{
    InstallMain::WriteProductRecords("C:\\Program Files\\VTQ");

    // The application changed its settings in the meantime, some to other
    // types, and added one of its own.
    ASSERT_EQ(SetRaw(Conventional, "Width", REG_DWORD, Dword(800)), ERROR_SUCCESS);
    ASSERT_EQ(SetRaw(Conventional, "Delay", REG_SZ, Sz("3")), ERROR_SUCCESS);
    ASSERT_EQ(SetRaw(Save, "Dir", REG_SZ, Sz("C:\\Shots")), ERROR_SUCCESS);
    ASSERT_EQ(SetRaw(High, "Quit", REG_DWORD, Dword(1)), ERROR_SUCCESS);
    ASSERT_EQ(SetRaw(Save, "Format", REG_SZ, Sz("png")), ERROR_SUCCESS);

    InstallMain::WriteProductRecords("D:\\Other");
    ExpectRecords("D:\\Other");
    // Values outside the table are left alone.
    EXPECT_EQ(QueryRaw(Save, "Format"), (RawValue{REG_SZ, Sz("png")}));
}

TEST_F(ProductRecordsTest, KeyThatCannotBeCreatedSkipsItsRecordsSilently)
{
    // The application's key held as a volatile key: it opens, but the
    // settings keys below it, created non-volatile, are refused.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, AppKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_NO_THROW(InstallMain::WriteProductRecords("C:\\VTQ"));
    for (const Expected& e : Records("C:\\VTQ")) {
        SCOPED_TRACE(e.key + " : " + e.name);
        if (e.key == AppKey || e.key == Uninstall)
            EXPECT_EQ(QueryRaw(e.key, e.name), e.value);
        else
            EXPECT_EQ(QueryRaw(e.key, e.name), std::nullopt);
    }
    EXPECT_FALSE(KeyExists(AppKey + "\\Settings"));
}

} // namespace
