// The registry routines against Wine's real registry, under
// HKEY_LOCAL_MACHINE. Each test starts and ends with its keys removed.
// Expected contents are read back with RegQueryValueExA directly.

#include "RegEdit/RegEdit.h"
#include "toolkit/core/Exceptions.h"
#include "RegistryTestUtil.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace regtest;

const char* const TestKey = "SOFTWARE\\SetupRegistryTest";
const std::string TestSub = std::string(TestKey) + "\\Sub\\Deeper";
// A key component longer than the registry allows: opening or creating it
// fails, as a key the user may not open does.
const std::string RefusedKey = std::string(TestKey) + "\\" + std::string(300, 'c');
// A value name longer than the registry's 16383 characters: the key opens,
// the value write is refused.
const std::string RefusedName(16384, 'n');

// The number of handles this process holds, from the system's handle table.
std::size_t OpenHandleCount()
{
    struct Entry {
        USHORT processId;
        USHORT creatorBackTraceIndex;
        UCHAR objectType;
        UCHAR attributes;
        USHORT handle;
        PVOID object;
        ULONG grantedAccess;
    };
    struct Table {
        ULONG count;
        Entry entries[1];
    };
    using Query = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    const ULONG SystemHandleInformation = 16;
    const LONG InfoLengthMismatch = static_cast<LONG>(0xC0000004);

    std::vector<char> buffer(1 << 16);
    LONG status;
    ULONG length = 0;
    while ((status = query(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length))
        == InfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    EXPECT_EQ(status, 0);
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    const auto self = static_cast<USHORT>(GetCurrentProcessId());
    std::size_t count = 0;
    for (ULONG i = 0; i < table->count; ++i)
        count += table->entries[i].processId == self;
    return count;
}

class RegistryTest : public testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset()
    {
        DeleteKey(TestKey);
        ASSERT_FALSE(KeyExists(TestKey));
    }
};

// ---------------------------------------------------------------- reading

struct ReadCase {
    const char* what;
    std::function<void()> prepare; // stores the value under TestSub, or nothing
    std::string keyPath;
    bool canCreate;
    RegEdit::ValueKind kind;
    bool exists;                   // KeyValueExists' answer
    std::string text;              // text after ReadKeyValue (start: "before")
    std::string error;             // or the registry error's message
};

TEST_F(RegistryTest, ReadsValuesByKindAndStoredType)
{
    const auto store = [](const char* name, DWORD type, std::string bytes) {
        return [=] { ASSERT_EQ(SetRaw(TestSub, name, type, bytes), ERROR_SUCCESS); };
    };
    const auto nothing = [] {};
    const std::string dword = Dword(0xFFFFFFFF);

    const ReadCase cases[] = {
        {"missing key", nothing, TestSub, false, 1, false, "before", ""},
        {"missing value", store("other", REG_SZ, Sz("x")), TestSub, false, 1, false, "before", ""},
        {"kind 2 on a string", store("v", REG_SZ, Sz("abc")), TestSub, false, 2, true, "before", ""},
        {"kind -1 on a number", store("v", REG_DWORD, dword), TestSub, false, -1, true, "before", ""},
        {"string", store("v", REG_SZ, Sz("C:\\Program Files\\VTQ")), TestSub, false, 1, true,
            "C:\\Program Files\\VTQ", ""},
        {"string in the code page", store("v", REG_SZ, Sz("中文目录")), TestSub, false, 1, true, "中文目录", ""},
        {"string of only its terminator", store("v", REG_SZ, Sz("")), TestSub, false, 1, true, "", ""},
        {"string of no bytes", store("v", REG_SZ, ""), TestSub, false, 1, true, "", ""},
        {"string with a zero byte inside", store("v", REG_SZ, std::string("ab\0cd\0", 6)), TestSub, false,
            1, true, "ab", ""},
        {"string without terminator", store("v", REG_SZ, "abc"), TestSub, false, 1, true, "abc", ""},
        {"expandable string, unexpanded", store("v", REG_EXPAND_SZ, Sz("%SystemRoot%\\x")), TestSub,
            false, 1, true, "%SystemRoot%\\x", ""},
        {"kind 1 on REG_DWORD", store("v", REG_DWORD, dword), TestSub, false, 1, true, "",
            "Invalid data type for 'v'"},
        {"kind 1 on REG_BINARY", store("v", REG_BINARY, "ab"), TestSub, false, 1, true, "",
            "Invalid data type for 'v'"},
        {"kind 1 on REG_MULTI_SZ", store("v", REG_MULTI_SZ, std::string("a\0b\0\0", 5)), TestSub, false,
            1, true, "", "Invalid data type for 'v'"},
        // No data means the empty text before the type is looked at.
        {"kind 1 on empty REG_BINARY", store("v", REG_BINARY, ""), TestSub, false, 1, true, "", ""},
        {"number 0xFFFFFFFF", store("v", REG_DWORD, dword), TestSub, false, 0, true, "-1", ""},
        {"number 0x80000000", store("v", REG_DWORD, Dword(0x80000000)), TestSub, false, 0, true,
            "-2147483648", ""},
        {"number 600", store("v", REG_DWORD, Dword(600)), TestSub, false, 0, true, "600", ""},
        // Two bytes 02 01: the missing high bytes read as zero, not as garbage.
        {"number stored in 2 bytes", store("v", REG_DWORD, "\x02\x01"), TestSub, false, 0, true, "258", ""},
        {"kind 0 on REG_SZ \"1\" (2 bytes)", store("v", REG_SZ, Sz("1")), TestSub, false, 0, true, "",
            "Invalid data type for 'v'"},
        {"kind 0 on REG_SZ \"12345\" (6 bytes)", store("v", REG_SZ, Sz("12345")), TestSub, false, 0, true,
            "", "Failed to get data for 'v'"},
        {"kind 0 on 4-byte REG_BINARY", store("v", REG_BINARY, Dword(7)), TestSub, false, 0, true, "",
            "Invalid data type for 'v'"},
        {"leading backslash", store("v", REG_SZ, Sz("same")), "\\" + TestSub, false, 1, true, "same", ""},
        {"leading backslash, can create", store("v", REG_SZ, Sz("same")), "\\" + TestSub, true, 1, true,
            "same", ""},
        {"existing key, can create", store("v", REG_SZ, Sz("kept")), TestSub, true, 1, true, "kept", ""},
    };

    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        c.prepare();
        EXPECT_EQ(KeyValueExists(HKEY_LOCAL_MACHINE, c.keyPath, c.canCreate, "v"), c.exists);

        std::string text = "before";
        if (c.error.empty()) {
            EXPECT_NO_THROW(ReadKeyValue(HKEY_LOCAL_MACHINE, c.keyPath, c.canCreate, "v", c.kind, text));
            EXPECT_EQ(text, c.text);
        } else {
            try {
                ReadKeyValue(HKEY_LOCAL_MACHINE, c.keyPath, c.canCreate, "v", c.kind, text);
                ADD_FAILURE() << "no error";
            } catch (const tk::ERegistryException& e) {
                EXPECT_EQ(e.Message(), c.error);
            }
        }
    }
}

TEST_F(RegistryTest, CanCreateMakesTheMissingKeyEmpty)
{
    EXPECT_FALSE(KeyValueExists(HKEY_LOCAL_MACHINE, TestSub, true, "v"));
    ASSERT_TRUE(KeyExists(TestSub));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, TestSub.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD subkeys = 99, values = 99;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
        nullptr, nullptr, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(subkeys, 0u);
    EXPECT_EQ(values, 0u);

    Reset();
    std::string text = "before";
    ReadKeyValue(HKEY_LOCAL_MACHINE, "\\" + TestSub, true, "v", 1, text);
    EXPECT_EQ(text, "before");
    EXPECT_TRUE(KeyExists(TestSub));

    // Without can create nothing appears.
    Reset();
    EXPECT_FALSE(KeyValueExists(HKEY_LOCAL_MACHINE, TestSub, false, "v"));
    ReadKeyValue(HKEY_LOCAL_MACHINE, TestSub, false, "v", 1, text);
    EXPECT_FALSE(KeyExists(TestKey));
}

// ---------------------------------------------------------------- writing

struct IntegerWriteCase {
    std::string text;
    std::optional<DWORD> stored; // nothing: the conversion error
};

TEST_F(RegistryTest, WritesIntegerTextAsDwordOrRejectsItUnwritten)
{
    const IntegerWriteCase cases[] = {
        {" 12", 12}, {"+7", 7}, {"-0x10", 0xFFFFFFF0}, {"$1F", 31}, {"x1f", 31}, {"0", 0},
        {"-2147483648", 0x80000000}, {"2147483647", 0x7FFFFFFF},
        {"12a", std::nullopt}, {"", std::nullopt}, {"2147483648", std::nullopt},
        {"$80000000", std::nullopt}, {"12 ", std::nullopt},
    };
    for (const IntegerWriteCase& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\"");
        Reset();
        // A value of another type is there before: it is replaced, or left
        // alone when the text is rejected.
        ASSERT_EQ(SetRaw(TestSub, "v", REG_SZ, Sz("old")), ERROR_SUCCESS);
        if (c.stored) {
            EXPECT_NO_THROW(WriteKeyValue(HKEY_LOCAL_MACHINE, TestSub, false, "v", 0, c.text));
            EXPECT_EQ(QueryRaw(TestSub, "v"), (RawValue{REG_DWORD, Dword(*c.stored)}));
        } else {
            try {
                WriteKeyValue(HKEY_LOCAL_MACHINE, TestSub, false, "v", 0, c.text);
                ADD_FAILURE() << "no error";
            } catch (const tk::EConvertError& e) {
                EXPECT_EQ(e.Message(), "'" + c.text + "' is not a valid integer value");
            }
            EXPECT_EQ(QueryRaw(TestSub, "v"), (RawValue{REG_SZ, Sz("old")}));
        }
    }
}

TEST_F(RegistryTest, RejectedIntegerTextStillLeavesTheCreatedKey)
{
    EXPECT_THROW(WriteKeyValue(HKEY_LOCAL_MACHINE, TestSub, true, "v", 0, ""), tk::EConvertError);
    EXPECT_TRUE(KeyExists(TestSub));
    EXPECT_EQ(QueryRaw(TestSub, "v"), std::nullopt);
}

TEST_F(RegistryTest, WritesStringsWithOneTerminator)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", std::string(1, '\0')},
        {"abc", Sz("abc")},
        {"截图", Sz("截图")},
        {"C:\\Program Files\\VTQ\\", Sz("C:\\Program Files\\VTQ\\")},
    };
    for (const auto& [text, bytes] : cases) {
        SCOPED_TRACE("text \"" + text + "\"");
        Reset();
        ASSERT_EQ(SetRaw(TestSub, "v", REG_DWORD, Dword(5)), ERROR_SUCCESS); // replaced, whatever its type
        WriteKeyValue(HKEY_LOCAL_MACHINE, TestSub, false, "v", 1, text);
        EXPECT_EQ(QueryRaw(TestSub, "v"), (RawValue{REG_SZ, bytes}));
        std::string back = "before";
        ReadKeyValue(HKEY_LOCAL_MACHINE, TestSub, false, "v", 1, back);
        EXPECT_EQ(back, text);
    }
}

TEST_F(RegistryTest, WriteCreatesTheKeyPathAndDropsOneLeadingBackslash)
{
    WriteKeyValue(HKEY_LOCAL_MACHINE, "\\" + TestSub, true, "v", 0, "42");
    EXPECT_EQ(QueryRaw(TestSub, "v"), (RawValue{REG_DWORD, Dword(42)}));

    std::string text;
    ReadKeyValue(HKEY_LOCAL_MACHINE, TestSub, false, "v", 0, text);
    EXPECT_EQ(text, "42");
}

TEST_F(RegistryTest, OtherKindsOpenOrCreateTheKeyAndWriteNothing)
{
    for (const RegEdit::ValueKind kind : {2, 3, -1, 100}) {
        SCOPED_TRACE(kind);
        Reset();
        WriteKeyValue(HKEY_LOCAL_MACHINE, TestSub, true, "v", kind, "not a number");
        EXPECT_TRUE(KeyExists(TestSub));
        EXPECT_EQ(QueryRaw(TestSub, "v"), std::nullopt);
    }
}

TEST_F(RegistryTest, KeyThatCannotBeOpenedIsSilent)
{
    struct Attempt {
        const char* what;
        std::string keyPath;
        bool canCreate;
    };
    // Below a volatile key only volatile keys may be created.
    const std::string volatileKey = std::string(TestKey) + "\\Volatile";
    const Attempt attempts[] = {
        {"missing key, may not create", TestSub, false},
        {"over-long key name, may create", RefusedKey, true},
        {"over-long key name, may not create", RefusedKey, false},
        {"key below a volatile key, may create", volatileKey + "\\Sub", true},
    };
    for (const Attempt& a : attempts) {
        SCOPED_TRACE(a.what);
        Reset();
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, volatileKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        RegCloseKey(key);
        // Even text that is no integer: nothing is converted unless the key opens.
        for (const auto& [kind, text] : {std::pair{0, std::string("12a")}, std::pair{0, std::string("5")},
                 std::pair{1, std::string("x")}})
            EXPECT_NO_THROW(WriteKeyValue(HKEY_LOCAL_MACHINE, a.keyPath, a.canCreate, "v", kind, text));
        EXPECT_FALSE(KeyValueExists(HKEY_LOCAL_MACHINE, a.keyPath, a.canCreate, "v"));
        for (const RegEdit::ValueKind kind : {0, 1}) {
            std::string text = "before";
            EXPECT_NO_THROW(ReadKeyValue(HKEY_LOCAL_MACHINE, a.keyPath, a.canCreate, "v", kind, text));
            EXPECT_EQ(text, "before");
        }
        EXPECT_FALSE(KeyExists(TestSub));
        EXPECT_FALSE(KeyExists(volatileKey + "\\Sub"));
    }
}

TEST_F(RegistryTest, RefusedWriteRaisesAndStoresNothing)
{
    for (const auto& [kind, text] : {std::pair{0, std::string("7")}, std::pair{1, std::string("x")}}) {
        SCOPED_TRACE(kind);
        Reset();
        try {
            WriteKeyValue(HKEY_LOCAL_MACHINE, TestSub, true, RefusedName, kind, text);
            ADD_FAILURE() << "no error";
        } catch (const tk::ERegistryException& e) {
            EXPECT_EQ(e.Message(), "Failed to set data for '" + RefusedName + "'");
        }
        // The key was created before the write was refused; it holds nothing.
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, TestSub.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
        DWORD values = 99;
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
            nullptr, nullptr, nullptr);
        RegCloseKey(key);
        EXPECT_EQ(values, 0u);
    }
}

// A key left open by a routine, on its ordinary or its error path, shows in
// the system's handle table.
TEST_F(RegistryTest, KeyIsClosedOnEveryPath)
{
    ASSERT_EQ(SetRaw(TestSub, "s", REG_SZ, Sz("12345")), ERROR_SUCCESS);
    ASSERT_EQ(SetRaw(TestSub, "d", REG_DWORD, Dword(1)), ERROR_SUCCESS);
    ASSERT_EQ(SetRaw(TestSub, "one", REG_SZ, Sz("1")), ERROR_SUCCESS);

    const std::function<void()> calls[] = {
        [] { KeyValueExists(HKEY_LOCAL_MACHINE, TestSub, false, "s"); },
        [] { KeyValueExists(HKEY_LOCAL_MACHINE, TestSub, true, "none"); },
        [] { std::string t; ReadKeyValue(HKEY_LOCAL_MACHINE, TestSub, false, "d", 0, t); },
        [] { std::string t; ReadKeyValue(HKEY_LOCAL_MACHINE, TestSub, false, "s", 1, t); },
        [] { std::string t; ReadKeyValue(HKEY_LOCAL_MACHINE, TestSub, false, "s", 0, t); },  // raises
        [] { std::string t; ReadKeyValue(HKEY_LOCAL_MACHINE, TestSub, false, "one", 0, t); },// raises
        [] { std::string t; ReadKeyValue(HKEY_LOCAL_MACHINE, TestSub, false, "d", 1, t); },  // raises
        [] { WriteKeyValue(HKEY_LOCAL_MACHINE, TestSub, true, "w", 1, "x"); },
        [] { WriteKeyValue(HKEY_LOCAL_MACHINE, TestSub, true, "w", 0, "12a"); },             // raises
        [] { WriteKeyValue(HKEY_LOCAL_MACHINE, TestSub, true, RefusedName, 1, "x"); },       // raises
        [] { WriteKeyValue(HKEY_LOCAL_MACHINE, TestSub, true, "w", 2, "x"); },
        [] { WriteKeyValue(HKEY_LOCAL_MACHINE, RefusedKey, true, "w", 1, "x"); },
    };
    const auto run = [](const std::function<void()>& call) {
        try {
            call();
        } catch (const tk::Exception&) {
        }
    };
    // Once for the run-time's own first-use handles (the first exception
    // thrown allocates some), then counted: a leak repeats on every call.
    for (const auto& call : calls)
        run(call);
    int index = 0;
    for (const auto& call : calls) {
        SCOPED_TRACE(index++);
        const std::size_t before = OpenHandleCount();
        run(call);
        EXPECT_EQ(OpenHandleCount(), before);
    }
}

} // namespace
