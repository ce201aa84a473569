// The payload store on real files and real resources: DecompressFile over
// the table of records, its file failures, the resource stream, and the four
// records that both built setup.exe files carry.

#include "InstallMain/PayloadNames.h"
#include "UnitZipModule/UnitZipModule.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/core/Format.h"
#include "toolkit/win/FileStream.h"
#include "toolkit/win/Handle.h"
#include "toolkit/win/ResourceStream.h"
#include "toolkit/win/SysUtils.h"

#include "../common/PayloadRecords.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>

namespace {

using testrecords::Bytes;
using testrecords::Failure;

Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

// Runs f and returns the class and message of what it raised.
template <typename F>
std::pair<std::string, std::string> Raised(F f)
{
    try {
        f();
    } catch (const tk::EFCreateError& e) {
        return {"EFCreateError", e.what()};
    } catch (const tk::EFOpenError& e) {
        return {"EFOpenError", e.what()};
    } catch (const tk::EReadError& e) {
        return {"EReadError", e.what()};
    } catch (const tk::EWriteError& e) {
        return {"EWriteError", e.what()};
    } catch (const tk::EZlibError& e) {
        return {"EZlibError", e.what()};
    } catch (const tk::EResNotFound& e) {
        return {"EResNotFound", e.what()};
    } catch (const tk::Exception& e) {
        return {"Exception", e.what()};
    }
    return {"", ""};
}

std::string ClassOf(Failure failure)
{
    switch (failure) {
    case Failure::ReadError: return "EReadError";
    case Failure::WriteError: return "EWriteError";
    case Failure::ZlibError: return "EZlibError";
    case Failure::None: break;
    }
    return "";
}

// A fresh folder under the temporary folder for each test.
class PayloadFiles : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(::GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) + "payload-store-" + testing::UnitTest::GetInstance()->current_test_info()->name();
        RemoveFolder();
        ASSERT_TRUE(::CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
    }
    void TearDown() override { RemoveFolder(); }

    std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

    std::string folder_;

private:
    void RemoveFolder()
    {
        WIN32_FIND_DATAA data;
        HANDLE find = ::FindFirstFileA((folder_ + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                ::DeleteFileA(Path(data.cFileName).c_str());
            } while (::FindNextFileA(find, &data));
            ::FindClose(find);
        }
        ::RemoveDirectoryA(folder_.c_str());
    }
};

TEST_F(PayloadFiles, RecordTableThroughDecompressFile)
{
    const Bytes previous = {'o', 'l', 'd', '\r', '\n', 0, 0xFF};
    for (const auto& c : testrecords::RecordCases()) {
        SCOPED_TRACE(c.name);
        const std::string source = Path(c.name + ".rec");
        WriteAll(source, c.record);
        const std::string fresh = Path(c.name + ".new");
        const std::string existing = Path(c.name + ".old");
        WriteAll(existing, previous);

        for (const auto& destination : {fresh, existing}) {
            const auto [cls, message] = Raised([&] { TDataModuleZip::DecompressFile(destination, source); });
            EXPECT_EQ(cls, ClassOf(c.failure)) << message;
            EXPECT_EQ(message, testrecords::MessageOf(c.failure));
            if (c.failure == Failure::None)
                EXPECT_EQ(ReadAll(destination), c.content);
            else if (destination == fresh)
                EXPECT_FALSE(tk::FileExists(fresh)) << "a destination was created";
            else
                EXPECT_EQ(ReadAll(existing), previous) << "the existing destination was changed";
        }
        // The source is closed again on every path.
        EXPECT_TRUE(::DeleteFileA(source.c_str()));
    }
}

TEST_F(PayloadFiles, ExistingDestinationIsReplacedWhole)
{
    const Bytes content = testrecords::SampleContent(1000);
    WriteAll(Path("r.rec"), testrecords::Record(content));
    WriteAll(Path("out.bin"), testrecords::SampleContent(50000, 9));
    TDataModuleZip::DecompressFile(Path("out.bin"), Path("r.rec"));
    EXPECT_EQ(ReadAll(Path("out.bin")), content);
}

TEST_F(PayloadFiles, DestinationEqualToSourceCannotBeCreatedAndSourceStaysIntact)
{
    const Bytes record = testrecords::Record(testrecords::SampleContent(1000));
    WriteAll(Path("same.rec"), record);
    const auto [cls, message] = Raised([&] { TDataModuleZip::DecompressFile(Path("same.rec"), Path("same.rec")); });
    EXPECT_EQ(cls, "EFCreateError");
    EXPECT_EQ(message, tk::Format("Cannot create file \"%s\". %s", Path("same.rec").c_str(),
                           tk::SysErrorMessage(ERROR_SHARING_VIOLATION).c_str()));
    EXPECT_EQ(ReadAll(Path("same.rec")), record);
}

TEST_F(PayloadFiles, SourceThatCannotBeOpenedNamesItsAbsolutePath)
{
    WriteAll(Path("held.rec"), testrecords::Record({1, 2, 3}));
    char previousFolder[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, previousFolder);
    ASSERT_TRUE(::SetCurrentDirectoryA(folder_.c_str()));
    {
        // Held open elsewhere without sharing.
        tk::UniqueFile other(::CreateFileA(Path("held.rec").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
            FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(other);
        const auto [cls, message] = Raised([&] { TDataModuleZip::DecompressFile(Path("out"), "held.rec"); });
        EXPECT_EQ(cls, "EFOpenError");
        EXPECT_EQ(message, tk::Format("Cannot open file \"%s\". %s", Path("held.rec").c_str(),
                               tk::SysErrorMessage(ERROR_SHARING_VIOLATION).c_str()));
    }
    const auto [cls, message] = Raised([&] { TDataModuleZip::DecompressFile(Path("out"), "missing.rec"); });
    EXPECT_EQ(cls, "EFOpenError");
    EXPECT_EQ(message, tk::Format("Cannot open file \"%s\". %s", Path("missing.rec").c_str(),
                           tk::SysErrorMessage(ERROR_FILE_NOT_FOUND).c_str()));
    ::SetCurrentDirectoryA(previousFolder);
    EXPECT_FALSE(tk::FileExists(Path("out")));
}

TEST_F(PayloadFiles, DestinationInMissingFolderCannotBeCreatedAndTheSourceIsReleased)
{
    // The destination fails after the whole record was decompressed; the
    // source, held without sharing until then, must be closed again.
    WriteAll(Path("r.rec"), testrecords::Record({1, 2, 3}));
    const auto [cls, message] = Raised([&] { TDataModuleZip::DecompressFile(Path("no\\such\\out"), Path("r.rec")); });
    EXPECT_EQ(cls, "EFCreateError");
    EXPECT_EQ(message, tk::Format("Cannot create file \"%s\". %s", Path("no\\such\\out").c_str(),
                           tk::SysErrorMessage(ERROR_PATH_NOT_FOUND).c_str()));
    tk::UniqueFile again(::CreateFileA(Path("r.rec").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(again);
}

// --- Resources of this test program (it links the same payload records) ---

TEST(ResourceStream, FindsTheUpperCaseResourcesByTheMixedCaseEntryAndReadsThemInPlace)
{
    HMODULE self = ::GetModuleHandleA(nullptr);
    const auto* image = reinterpret_cast<const unsigned char*>(self);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        image + reinterpret_cast<const IMAGE_DOS_HEADER*>(image)->e_lfanew);
    for (const auto& entry : InstallMain::PayloadNames) {
        tk::TResourceStream stream(self, entry, InstallMain::PayloadResourceType(entry));
        EXPECT_GT(stream.Size(), 12) << entry;
        const auto* data = static_cast<const unsigned char*>(stream.Memory());
        EXPECT_GE(data, image) << entry;
        EXPECT_LE(data + stream.Size(), image + nt->OptionalHeader.SizeOfImage) << "not read in place: " << entry;
        const char byte = 0;
        EXPECT_THROW(stream.Write(&byte, 1), tk::EStreamError);
    }
}

TEST(ResourceStream, MissingResourceNamesTheEntry)
{
    HMODULE self = ::GetModuleHandleA(nullptr);
    const std::pair<const char*, const char*> missing[] = {
        {"Uninstallexe", "myVTQexe"}, {"Nothingexe", "myNothingexe"}, {"VTQexe", "VTQexe"}};
    for (const auto& [name, type] : missing) {
        const auto [cls, message] = Raised([&] { tk::TResourceStream stream(self, name, type); });
        EXPECT_EQ(cls, "EResNotFound");
        EXPECT_EQ(message, std::string("Resource ") + name + " not found");
    }
}

// --- The two built setup.exe files ---

struct Build {
    const char* name;
    const char* setupExe;
    const char* payloadFolder;
};

const Build builds[] = {
    {"i686", SETUP_I686_EXE, PAYLOAD_FILES_I686},
    {"x86_64", SETUP_X86_64_EXE, PAYLOAD_FILES_X86_64},
};

class BuiltSetup : public PayloadFiles {};

TEST_F(BuiltSetup, TheFourRecordsDecompressToTheBuiltFiles)
{
    for (const auto& build : builds) {
        SCOPED_TRACE(build.name);
        tk::UniqueModule image(::LoadLibraryExA(build.setupExe, nullptr, LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(image) << build.setupExe;
        for (const auto& entry : InstallMain::PayloadNames) {
            // As the installation does: the record to a temporary file, then
            // that file inflated into the target.
            const std::string file = InstallMain::PayloadFileName(entry);
            {
                tk::TResourceStream stream(image.Get(), entry, InstallMain::PayloadResourceType(entry));
                stream.SaveToFile(Path(file + ".rec"));
            }
            TDataModuleZip::DecompressFile(Path(file), Path(file + ".rec"));
            const Bytes built = ReadAll(std::string(build.payloadFolder) + "\\" + file);
            EXPECT_FALSE(built.empty()) << file;
            EXPECT_TRUE(ReadAll(Path(file)) == built) << file << " differs from the built file";
        }
    }
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

// Type -> name -> languages, for the string-typed resources of an image.
using ResourceKeys = std::map<std::string, std::map<std::string, std::set<WORD>>>;

ResourceKeys StringTypedResources(HMODULE image)
{
    ResourceKeys keys;
    ::EnumResourceTypesA(
        image,
        [](HMODULE module, LPSTR type, LONG_PTR param) -> BOOL {
            if (IS_INTRESOURCE(type))
                return TRUE;
            auto& keys = *reinterpret_cast<ResourceKeys*>(param);
            auto& names = keys[type];
            ::EnumResourceNamesA(
                module, type,
                [](HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) -> BOOL {
                    auto& names = *reinterpret_cast<std::map<std::string, std::set<WORD>>*>(param);
                    const std::string key = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : name;
                    auto& languages = names[key];
                    ::EnumResourceLanguagesA(
                        module, type, name,
                        [](HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param) -> BOOL {
                            reinterpret_cast<std::set<WORD>*>(param)->insert(language);
                            return TRUE;
                        },
                        reinterpret_cast<LONG_PTR>(&languages));
                    return TRUE;
                },
                reinterpret_cast<LONG_PTR>(&names));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&keys));
    return keys;
}

// Code pages of the data entries of the resources of type, read from the
// file's resource directory itself.
std::vector<DWORD> DataEntryCodePages(const Bytes& file, const std::string& type)
{
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(file.data());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(file.data() + dos->e_lfanew);
    const bool pe32 = nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC;
    const IMAGE_DATA_DIRECTORY directory = pe32
        ? nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE]
        : reinterpret_cast<const IMAGE_NT_HEADERS64*>(nt)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE];
    const auto* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
        reinterpret_cast<const unsigned char*>(&nt->OptionalHeader) + nt->FileHeader.SizeOfOptionalHeader);
    std::size_t base = 0;
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i)
        if (sections[i].VirtualAddress <= directory.VirtualAddress
            && directory.VirtualAddress < sections[i].VirtualAddress + sections[i].SizeOfRawData)
            base = directory.VirtualAddress - sections[i].VirtualAddress + sections[i].PointerToRawData;
    auto entries = [&](std::size_t offset) {
        const auto* dir = reinterpret_cast<const IMAGE_RESOURCE_DIRECTORY*>(file.data() + offset);
        return std::make_pair(reinterpret_cast<const IMAGE_RESOURCE_DIRECTORY_ENTRY*>(dir + 1),
            static_cast<std::size_t>(dir->NumberOfNamedEntries + dir->NumberOfIdEntries));
    };
    auto nameOf = [&](const IMAGE_RESOURCE_DIRECTORY_ENTRY& e) {
        if (!e.NameIsString)
            return std::string("#");
        const auto* s = reinterpret_cast<const IMAGE_RESOURCE_DIR_STRING_U*>(file.data() + base + e.NameOffset);
        std::string text;
        for (WORD i = 0; i < s->Length; ++i)
            text += static_cast<char>(s->NameString[i]);
        return text;
    };
    std::vector<DWORD> codePages;
    const auto [types, typeCount] = entries(base);
    for (std::size_t t = 0; t < typeCount; ++t) {
        if (nameOf(types[t]) != type)
            continue;
        const auto [names, nameCount] = entries(base + types[t].OffsetToDirectory);
        for (std::size_t n = 0; n < nameCount; ++n) {
            const auto [languages, languageCount] = entries(base + names[n].OffsetToDirectory);
            for (std::size_t l = 0; l < languageCount; ++l)
                codePages.push_back(reinterpret_cast<const IMAGE_RESOURCE_DATA_ENTRY*>(
                    file.data() + base + languages[l].OffsetToData)->CodePage);
        }
    }
    return codePages;
}

TEST(BuiltSetupKeys, EachRecordOnceUnderUpperCaseStringKeysLanguage2052CodePage0)
{
    for (const auto& build : builds) {
        SCOPED_TRACE(build.name);
        tk::UniqueModule image(::LoadLibraryExA(build.setupExe, nullptr, LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(image) << build.setupExe;
        const ResourceKeys keys = StringTypedResources(image.Get());
        const Bytes file = ReadAll(build.setupExe);
        for (const auto& entry : InstallMain::PayloadNames) {
            const std::string type = "MY" + Upper(entry);
            ASSERT_EQ(keys.count(type), 1u) << type;
            const auto& names = keys.at(type);
            ASSERT_EQ(names.size(), 1u) << type;
            EXPECT_EQ(names.begin()->first, Upper(entry));
            EXPECT_EQ(names.begin()->second, std::set<WORD>{2052}) << type;
            EXPECT_EQ(DataEntryCodePages(file, type), std::vector<DWORD>{0}) << type;
        }
        // No other payload-like type, and none under a numeric type.
        for (const auto& [type, names] : keys) {
            if (type.rfind("MY", 0) == 0) {
                EXPECT_TRUE(std::any_of(InstallMain::PayloadNames.begin(), InstallMain::PayloadNames.end(),
                    [&](const std::string& e) { return "MY" + Upper(e) == type; }))
                    << type;
            }
        }
    }
}

// The stand-in main program starts, finds its library, shows its window
// titled "Kelvaro" with its version and folder, and ends with code 0.
TEST(StandInProduct, MainProgramShowsItsVersionAndFolder)
{
#ifndef SETUP_STAND_IN_PAYLOAD
    GTEST_SKIP() << "the build ships the files of SETUP_PAYLOAD_DIR";
#endif
    const std::string folder = PAYLOAD_FILES_X86_64;
    std::string commandLine = "\"" + folder + "\\VTQ.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
        &startup, &process));
    tk::UniqueKernelHandle processHandle(process.hProcess);
    tk::UniqueKernelHandle threadHandle(process.hThread);

    struct Search {
        DWORD processId;
        HWND window;
    } search{process.dwProcessId, nullptr};
    for (int i = 0; i < 200 && !search.window; ++i) {
        ::Sleep(50);
        ::EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(param);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                char title[64] = {};
                ::GetWindowTextA(window, title, sizeof title);
                if (owner == s.processId && std::string(title) == "Kelvaro") {
                    s.window = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
    }
    ASSERT_NE(search.window, nullptr) << "no window titled Kelvaro";
    char text[512] = {};
    ::GetDlgItemTextA(search.window, 100, text, sizeof text);
    const std::string shown = text;
    EXPECT_NE(shown.find(std::string("Kelvaro 版本 ") + SETUP_PRODUCT_VERSION + "\r\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("运行位置：" + tk::ExpandFileName(folder) + "\r\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("VTQMain.dll"), std::string::npos) << shown;

    ::PostMessageA(search.window, WM_CLOSE, 0, 0);
    ASSERT_EQ(::WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

} // namespace
