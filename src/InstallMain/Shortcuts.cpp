#include "InstallMain/Shortcuts.h"

#include "toolkit/core/Exceptions.h"
#include "toolkit/win/ComObject.h"
#include "toolkit/win/SysUtils.h"

#include <cstring>
#include <vector>

namespace InstallMain {

tk::ComPtr<IUnknown> ShellObject;
tk::ComPtr<IShellLinkA> ShellLink;
tk::ComPtr<IPersistFile> PersistFile;
std::wstring LinkFileName;
tk::UniquePidl FolderPidl;
char FolderPath[MAX_PATH + 1] = {};

namespace {

std::wstring ToWide(const std::string& text)
{
    if (text.empty())
        return {};
    const int length =
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// Looks up a special folder of the current user into FolderPidl and
// FolderPath; false when it has no file-system path.
bool LookUpFolder(int folder)
{
    const HRESULT result = ::SHGetSpecialFolderLocation(nullptr, folder, FolderPidl.Put());
    std::memset(FolderPath, 0, sizeof FolderPath);
    if (FAILED(result) || !FolderPidl)
        return false;
    ::SHGetPathFromIDListA(FolderPidl.Get(), FolderPath);
    FolderPath[MAX_PATH] = '\0';
    return FolderPath[0] != '\0';
}

std::string FolderPathText()
{
    return std::string(FolderPath);
}

// Saves the link object to FolderPath + suffix, replacing an existing file.
void SaveLink(const char* suffix)
{
    LinkFileName = ToWide(FolderPathText() + suffix);
    PersistFile->Save(LinkFileName.c_str(), FALSE);
}

void SetTarget(const std::string& targetFolder, const char* fileName)
{
    ShellLink->SetPath((targetFolder + fileName).c_str());
    ShellLink->SetWorkingDirectory(targetFolder.c_str());
}

} // namespace

void CreateAppShortcuts(const std::string& targetFolder, const std::function<void()>& onLinkReady)
{
    ShellObject = tk::CreateComObject(CLSID_ShellLink);
    ShellLink = tk::QueryInterfaceOf<IShellLinkA>(ShellObject.Get(), IID_IShellLinkA);
    PersistFile = tk::QueryInterfaceOf<IPersistFile>(ShellObject.Get(), IID_IPersistFile);

    SetTarget(targetFolder, "\\VTQ.exe");
    if (onLinkReady)
        onLinkReady();

    if (LookUpFolder(CSIDL_DESKTOPDIRECTORY))
        SaveLink("\\Kelvaro.lnk");

    if (LookUpFolder(CSIDL_PROGRAMS)) {
        const std::string subfolder = FolderPathText() + "\\VTQ";
        if (!tk::DirectoryExists(subfolder) && !::CreateDirectoryA(subfolder.c_str(), nullptr))
            throw tk::EInOutError(static_cast<std::int32_t>(::GetLastError()));
        SaveLink("\\VTQ\\Kelvaro.lnk");
    }
}

void CreateUninstallShortcut(const std::string& targetFolder)
{
    if (!ShellLink || !PersistFile)
        return;
    SetTarget(targetFolder, "\\Uninstall.exe");
    if (FolderPath[0] != '\0')
        SaveLink("\\VTQ\\卸载Kelvaro.lnk");
}

void ReleaseShortcutState()
{
    ShellObject.Reset();
    ShellLink.Reset();
    PersistFile.Reset();
    std::wstring().swap(LinkFileName);
    FolderPidl.Reset();
}

} // namespace InstallMain
