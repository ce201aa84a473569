// What the shortcut stage asks of the shell link object, seen through a
// recording stand-in registered for CLSID_ShellLink in this process only:
// the exact texts passed, the order of the calls, interface refusals and the
// release order of the exit sequence.

#include "InstallMain/Shortcuts.h"

#include "toolkit/core/Exceptions.h"

#include "FolderTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace foldertest;

std::string Narrow(const wchar_t* text)
{
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), n, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
    return narrow;
}

// A link object with one identity per interface, so that each reference the
// program keeps can be told apart. It lives as long as the test; its parts
// note in the log when their last reference goes.
class RecordingLink {
public:
    std::vector<std::string> log;
    bool refuseLink = false;
    bool refuseFile = false;

    HRESULT Query(REFIID iid, void** out)
    {
        *out = nullptr;
        if (iid == IID_IUnknown)
            *out = static_cast<IUnknown*>(&unknown_);
        else if (iid == IID_IShellLinkA && !refuseLink)
            *out = static_cast<IShellLinkA*>(&link_);
        else if (iid == IID_IPersistFile && !refuseFile)
            *out = static_cast<IPersistFile*>(&file_);
        else
            return E_NOINTERFACE;
        static_cast<IUnknown*>(*out)->AddRef();
        return S_OK;
    }

private:
    // Reference counting shared by the three parts.
    struct Counted {
        RecordingLink* owner;
        const char* name;
        ULONG count = 0;
        ULONG Add() { return ++count; }
        ULONG Drop()
        {
            if (--count == 0)
                owner->log.push_back(std::string("release ") + name);
            return count;
        }
    };

    struct UnknownPart : IUnknown {
        Counted c;
        explicit UnknownPart(RecordingLink* o) : c{o, "IUnknown"} {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return c.owner->Query(iid, out); }
        ULONG STDMETHODCALLTYPE AddRef() override { return c.Add(); }
        ULONG STDMETHODCALLTYPE Release() override { return c.Drop(); }
    };

    struct LinkPart : IShellLinkA {
        Counted c;
        explicit LinkPart(RecordingLink* o) : c{o, "IShellLinkA"} {}
        void Note(const std::string& call) { c.owner->log.push_back(call); }
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return c.owner->Query(iid, out); }
        ULONG STDMETHODCALLTYPE AddRef() override { return c.Add(); }
        ULONG STDMETHODCALLTYPE Release() override { return c.Drop(); }
        HRESULT STDMETHODCALLTYPE GetPath(LPSTR, int, WIN32_FIND_DATAA*, DWORD) override { Note("GetPath"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE GetIDList(LPITEMIDLIST*) override { Note("GetIDList"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetIDList(LPCITEMIDLIST) override { Note("SetIDList"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE GetDescription(LPSTR, int) override { Note("GetDescription"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetDescription(LPCSTR) override { Note("SetDescription"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPSTR, int) override { Note("GetWorkingDirectory"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCSTR dir) override { Note(std::string("SetWorkingDirectory ") + dir); return S_OK; }
        HRESULT STDMETHODCALLTYPE GetArguments(LPSTR, int) override { Note("GetArguments"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetArguments(LPCSTR) override { Note("SetArguments"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE GetHotkey(WORD*) override { Note("GetHotkey"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetHotkey(WORD) override { Note("SetHotkey"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE GetShowCmd(int*) override { Note("GetShowCmd"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetShowCmd(int) override { Note("SetShowCmd"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE GetIconLocation(LPSTR, int, int*) override { Note("GetIconLocation"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetIconLocation(LPCSTR, int) override { Note("SetIconLocation"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetRelativePath(LPCSTR, DWORD) override { Note("SetRelativePath"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Resolve(HWND, DWORD) override { Note("Resolve"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetPath(LPCSTR file) override { Note(std::string("SetPath ") + file); return S_OK; }
    };

    struct FilePart : IPersistFile {
        Counted c;
        explicit FilePart(RecordingLink* o) : c{o, "IPersistFile"} {}
        void Note(const std::string& call) { c.owner->log.push_back(call); }
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return c.owner->Query(iid, out); }
        ULONG STDMETHODCALLTYPE AddRef() override { return c.Add(); }
        ULONG STDMETHODCALLTYPE Release() override { return c.Drop(); }
        HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { Note("GetClassID"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE IsDirty() override { Note("IsDirty"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Load(LPCOLESTR, DWORD) override { Note("Load"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Save(LPCOLESTR name, BOOL remember) override
        {
            Note("Save " + Narrow(name) + (remember ? " remember" : ""));
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override { Note("SaveCompleted"); return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override { Note("GetCurFile"); return E_NOTIMPL; }
    };

    UnknownPart unknown_{this};
    LinkPart link_{this};
    FilePart file_{this};
};

// Hands out the one recording object and notes what it was asked for.
class RecordingFactory : public IClassFactory {
public:
    explicit RecordingFactory(RecordingLink& object) : object_(object) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IClassFactory)
            return E_NOINTERFACE;
        *out = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        object_.log.push_back(std::string("create") + (outer ? " aggregated" : "") +
                              (iid == IID_IUnknown ? " IUnknown" : " other"));
        return object_.Query(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    RecordingLink& object_;
};

class ShortcutCallsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        desktop_ = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
        programs_ = SpecialFolder(CSIDL_PROGRAMS);
        ASSERT_TRUE(IsFolder(desktop_));
        ASSERT_TRUE(IsFolder(programs_));
        RemoveTree(programs_ + "\\VTQ");
        ASSERT_TRUE(SUCCEEDED(::CoRegisterClassObject(CLSID_ShellLink, &factory_, CLSCTX_INPROC_SERVER,
                                                      REGCLS_MULTIPLEUSE, &cookie_)));
    }
    void TearDown() override
    {
        InstallMain::ReleaseShortcutState();
        ::CoRevokeClassObject(cookie_);
        RemoveTree(programs_ + "\\VTQ");
        ::CoUninitialize();
    }

    std::string desktop_;
    std::string programs_;
    RecordingLink object_;
    RecordingFactory factory_{object_};
    DWORD cookie_ = 0;
};

TEST_F(ShortcutCallsTest, PassesTextsUnchangedInOrderAndSetsNothingElse)
{
    // A target ending in a separator: the doubled separator goes to the link
    // object as it is.
    const std::string target = "C:\\Program Files\\VTQ\\";

    InstallMain::CreateAppShortcuts(target, [this] { object_.log.push_back("status"); });
    InstallMain::CreateUninstallShortcut(target);

    const std::vector<std::string> expected = {
        "create IUnknown",
        "SetPath C:\\Program Files\\VTQ\\\\VTQ.exe",
        "SetWorkingDirectory C:\\Program Files\\VTQ\\",
        "status",
        "Save " + desktop_ + "\\Kelvaro.lnk",
        "Save " + programs_ + "\\VTQ\\Kelvaro.lnk",
        "SetPath C:\\Program Files\\VTQ\\\\Uninstall.exe",
        "SetWorkingDirectory C:\\Program Files\\VTQ\\",
        "Save " + programs_ + "\\VTQ\\卸载Kelvaro.lnk",
    };
    EXPECT_EQ(object_.log, expected);
    EXPECT_TRUE(IsFolder(programs_ + "\\VTQ"));
}

TEST_F(ShortcutCallsTest, ExitReleasesObjectThenLinkThenFile)
{
    InstallMain::CreateAppShortcuts("C:\\VTQ", [] {});
    InstallMain::CreateUninstallShortcut("C:\\VTQ");
    object_.log.clear();

    InstallMain::ReleaseShortcutState();

    const std::vector<std::string> expected = {"release IUnknown", "release IShellLinkA",
                                               "release IPersistFile"};
    EXPECT_EQ(object_.log, expected);
    EXPECT_TRUE(InstallMain::LinkFileName.empty());
    EXPECT_FALSE(InstallMain::FolderPidl);
}

struct Refusal {
    const char* name;
    bool link;
    bool file;
};

std::ostream& operator<<(std::ostream& out, const Refusal& r)
{
    return out << r.name;
}

class ShortcutRefusalTest : public ShortcutCallsTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(ShortcutRefusalTest, RefusedInterfaceIsInterfaceNotSupportedAndNothingIsSaved)
{
    object_.refuseLink = GetParam().link;
    object_.refuseFile = GetParam().file;

    try {
        InstallMain::CreateAppShortcuts("C:\\VTQ", [this] { object_.log.push_back("status"); });
        FAIL() << "no error";
    } catch (const tk::EIntfCastError& e) {
        EXPECT_EQ(e.Message(), "Interface not supported");
    }

    const std::vector<std::string> expected = {"create IUnknown"};
    EXPECT_EQ(object_.log, expected);
    EXPECT_FALSE(Exists(programs_ + "\\VTQ"));
}

INSTANTIATE_TEST_SUITE_P(Interfaces, ShortcutRefusalTest,
                         ::testing::Values(Refusal{"LinkRefused", true, false},
                                           Refusal{"FileRefused", false, true}),
                         [](const ::testing::TestParamInfo<Refusal>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
