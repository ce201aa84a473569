#include "InstallMain/ProductRecords.h"

#include "InstallMain/InstallFormTable.h"
#include "RegEdit/RegEdit.h"

#include <windows.h>

namespace InstallMain {

namespace {

constexpr const char* ConventionalKey = "SOFTWARE\\VTQ\\Settings\\Conventional";
constexpr const char* SaveKey = "SOFTWARE\\VTQ\\Settings\\Save";
constexpr const char* HighKey = "SOFTWARE\\VTQ\\Settings\\High";
constexpr const char* UninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VTQ";

constexpr const char* HomePage = INSTALL_MAKER_WEB_ADDRESS;
constexpr const char* SupportForum = "http://bbs.dovrik.example/";

struct ProductRecord {
    const char* keyPath;
    const char* valueName;
    RegEdit::ValueKind kind;
    std::string data;
};

} // namespace

void WriteProductRecords(const std::string& targetFolder)
{
    using RegEdit::ValueKindInteger;
    using RegEdit::ValueKindString;

    const ProductRecord records[] = {
        {ProductKey, InstallDirValue, ValueKindString, targetFolder},
        {ProductKey, "Ver", ValueKindString, "V1.4"},
        {ConventionalKey, "Sound", ValueKindString, "1"},
        {ConventionalKey, "Hide", ValueKindString, "1"},
        {ConventionalKey, "Delay", ValueKindInteger, "0"},
        {ConventionalKey, "Width", ValueKindString, "600"},
        {ConventionalKey, "Height", ValueKindString, "400"},
        {SaveKey, "Comp", ValueKindString, "80"},
        {SaveKey, "Dir", ValueKindString, ""},
        {SaveKey, "Temp", ValueKindString, "截图"},
        {SaveKey, "Time", ValueKindString, "0"},
        {SaveKey, "Type", ValueKindString, "1"},
        {HighKey, "Quit", ValueKindInteger, "0"},
        {UninstallKey, "DisplayName", ValueKindString, "Kelvaro"},
        // Quoted: the folder usually holds a blank ("Program Files"), and an
        // unquoted command line would let the system run "C:\Program.exe".
        {UninstallKey, "UninstallString", ValueKindString, "\"" + targetFolder + "\\Uninstall.exe\""},
        {UninstallKey, "DisplayVersion", ValueKindString, "V1.1"},
        {UninstallKey, "Publisher", ValueKindString, "Dovrik工作室"},
        {UninstallKey, "URLInfoAbout", ValueKindString, HomePage},
        {UninstallKey, "HelpLink", ValueKindString, SupportForum},
        {UninstallKey, "URLUpdateInfo", ValueKindString, HomePage},
    };

    for (const ProductRecord& record : records)
        RegEdit::WriteKeyValue(HKEY_LOCAL_MACHINE, record.keyPath, true, record.valueName, record.kind,
            record.data);
}

} // namespace InstallMain
