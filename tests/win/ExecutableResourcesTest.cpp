// The resources of the built setup.exe files, read as data files: the
// version block, the manifest, the application icon and the welcome bitmap.
// The shipped i686 program cannot run here, so a 64-bit process opens it
// with LOAD_LIBRARY_AS_DATAFILE; the x86_64 twin gets the same checks.

#include <windows.h>

#include <gtest/gtest.h>

#include "ResourceNames.h"
#include "toolkit/win/Handle.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr WORD ChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
static_assert(ChinesePrc == 2052);

// ------------------------------------------------------------ byte reading

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return U16(p) | static_cast<uint32_t>(U16(p + 2)) << 16; }
int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }
size_t Align4(size_t n) { return (n + 3) & ~size_t{3}; }

// The ASCII keys of the version block, for messages.
std::string Narrow(const std::wstring& ascii) { return {ascii.begin(), ascii.end()}; }

// ------------------------------------------------------- version structure

// One node of a version resource: key, type (1 text, 0 binary), value and
// children, as laid down in the file.
struct VersionNode {
    std::wstring key;
    uint16_t type = 0;
    std::vector<uint8_t> value;
    std::vector<VersionNode> children;

    const VersionNode* Child(std::wstring_view k) const
    {
        for (const auto& c : children)
            if (c.key == k)
                return &c;
        return nullptr;
    }
    std::wstring Text() const
    {
        std::wstring s;
        for (size_t i = 0; i + 1 < value.size(); i += 2) {
            const wchar_t ch = static_cast<wchar_t>(U16(&value[i]));
            if (ch == 0)
                break;
            s += ch;
        }
        return s;
    }
};

// Parses the node at `p`; `avail` bytes may be read. Returns the node's length
// or 0 when the bytes do not hold a well-formed node.
size_t ParseVersionNode(const uint8_t* p, size_t avail, VersionNode& node)
{
    if (avail < 6)
        return 0;
    const size_t length = U16(p);
    const size_t valueLength = U16(p + 2);
    node.type = U16(p + 4);
    if (length < 6 || length > avail)
        return 0;
    size_t off = 6;
    while (true) {
        if (off + 2 > length)
            return 0;
        const wchar_t ch = static_cast<wchar_t>(U16(p + off));
        off += 2;
        if (ch == 0)
            break;
        node.key += ch;
    }
    off = Align4(off);
    const size_t valueBytes = node.type == 1 ? valueLength * 2 : valueLength;
    if (off + valueBytes > length)
        return 0;
    node.value.assign(p + off, p + off + valueBytes);
    off = Align4(off + valueBytes);
    while (off < length) {
        VersionNode child;
        const size_t n = ParseVersionNode(p + off, length - off, child);
        if (n == 0)
            return 0;
        node.children.push_back(std::move(child));
        off += Align4(n);
    }
    return length;
}

// ----------------------------------------------------------------- manifest

// Attributes of each element named `name`, in document order. Enough XML for
// a manifest: no comments or CDATA around the elements looked for.
std::vector<std::map<std::string, std::string>> Elements(const std::string& xml, const std::string& name)
{
    std::vector<std::map<std::string, std::string>> found;
    const std::string open = "<" + name;
    for (size_t at = xml.find(open); at != std::string::npos; at = xml.find(open, at + 1)) {
        size_t i = at + open.size();
        if (i >= xml.size() || !(std::isspace(static_cast<unsigned char>(xml[i])) || xml[i] == '/' || xml[i] == '>'))
            continue;
        const size_t end = xml.find('>', i);
        if (end == std::string::npos)
            break;
        std::map<std::string, std::string> attrs;
        while (i < end) {
            while (i < end && (std::isspace(static_cast<unsigned char>(xml[i])) || xml[i] == '/'))
                ++i;
            const size_t eq = xml.find('=', i);
            if (eq == std::string::npos || eq > end)
                break;
            const std::string key = xml.substr(i, eq - i);
            const char quote = xml[eq + 1];
            const size_t close = xml.find(quote, eq + 2);
            if (close == std::string::npos || close > end)
                break;
            attrs[key] = xml.substr(eq + 2, close - eq - 2);
            i = close + 1;
        }
        found.push_back(std::move(attrs));
    }
    return found;
}

// ------------------------------------------------------------------ fixture

struct Image {
    const char* name;
    const char* path;
};

// Shown in the test names: ".../i686", ".../x86_64".
void PrintTo(const Image& image, std::ostream* os) { *os << image.name; }

class ExecutableResources : public testing::TestWithParam<Image> {
protected:
    void SetUp() override
    {
        module_.Reset(::LoadLibraryExA(GetParam().path, nullptr, LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(module_) << "cannot open " << GetParam().path << " as data, error " << ::GetLastError();
    }

    // The bytes of a resource in Chinese (PRC); empty when there is none.
    std::string_view Data(LPCSTR type, LPCSTR name) const
    {
        HRSRC res = ::FindResourceExA(module_.Get(), type, name, ChinesePrc);
        if (!res)
            return {};
        HGLOBAL loaded = ::LoadResource(module_.Get(), res);
        const void* p = loaded ? ::LockResource(loaded) : nullptr;
        if (!p)
            return {};
        return {static_cast<const char*>(p), ::SizeofResource(module_.Get(), res)};
    }

    std::set<WORD> Languages(LPCSTR type, LPCSTR name) const
    {
        std::set<WORD> langs;
        ::EnumResourceLanguagesA(
            module_.Get(), type, name,
            [](HMODULE, LPCSTR, LPCSTR, WORD lang, LONG_PTR param) -> BOOL {
                reinterpret_cast<std::set<WORD>*>(param)->insert(lang);
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&langs));
        return langs;
    }

    // Names of all resources of a type; numeric ids as "#n".
    std::vector<std::string> Names(LPCSTR type) const
    {
        std::vector<std::string> names;
        ::EnumResourceNamesA(
            module_.Get(), type,
            [](HMODULE, LPCSTR, LPSTR name, LONG_PTR param) -> BOOL {
                auto& out = *reinterpret_cast<std::vector<std::string>*>(param);
                if (IS_INTRESOURCE(name))
                    out.push_back(std::string("#").append(std::to_string(reinterpret_cast<ULONG_PTR>(name))));
                else
                    out.push_back(name);
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&names));
        return names;
    }

    tk::UniqueModule module_;
};

// The version strings, as the file's properties show them.
const std::map<std::wstring, std::wstring> VersionStrings = {
    {L"CompanyName", L"Dovrik工作室"},
    {L"FileDescription", L"Kelvaro安装程序"},
    {L"FileVersion", L"1.4.0.0"},
    {L"InternalName", L"安装程序"},
    {L"LegalCopyright", L""},
    {L"LegalTrademarks", L""},
    {L"OriginalFilename", L""},
    {L"ProductName", L"安装程序"},
    {L"ProductVersion", L"1.4.0.0"},
    {L"Comments", L""},
};

// --------------------------------------------------------------- the checks

TEST_P(ExecutableResources, VersionBlockThroughTheVersionApi)
{
    const char* path = GetParam().path;
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u) << "no version block, error " << ::GetLastError();
    std::vector<uint8_t> block(size);
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    ASSERT_EQ(len, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010004u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010004u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, 0x4u);
    EXPECT_EQ(fixed->dwFileType, 0x1u);
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
    EXPECT_EQ(fixed->dwFileDateMS, 0u);
    EXPECT_EQ(fixed->dwFileDateLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len));
    ASSERT_EQ(len, 4u) << "exactly one language and code page pair";
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 0x03A8);

    for (const auto& [key, want] : VersionStrings) {
        const std::wstring query = L"\\StringFileInfo\\080403A8\\" + key;
        wchar_t* text = nullptr;
        UINT chars = 0;
        const BOOL found = ::VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &chars);
        ASSERT_TRUE(found) << "no string " << Narrow(key);
        const std::wstring got = chars == 0 ? std::wstring() : std::wstring(text, ::wcsnlen(text, chars));
        EXPECT_EQ(got, want) << Narrow(key);
    }
}

TEST_P(ExecutableResources, VersionStringsInTheAnsiCodePage)
{
    if (::GetACP() != 936)
        GTEST_SKIP() << "the ANSI code page is " << ::GetACP() << ", not 936";
    const char* path = GetParam().path;
    DWORD ignored = 0;
    std::vector<uint8_t> block(::GetFileVersionInfoSizeA(path, &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, static_cast<DWORD>(block.size()), block.data()));

    // Narrow literals of this file are code page 936, as the properties
    // dialog of a Chinese system shows them.
    const std::map<std::string, std::string> ansi = {
        {"CompanyName", "Dovrik工作室"},
        {"FileDescription", "Kelvaro安装程序"},
        {"InternalName", "安装程序"},
        {"ProductName", "安装程序"},
    };
    for (const auto& [key, want] : ansi) {
        char* text = nullptr;
        UINT chars = 0;
        const std::string query = "\\StringFileInfo\\080403A8\\" + key;
        ASSERT_TRUE(::VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &chars)) << key;
        EXPECT_EQ(std::string(text, ::strnlen(text, chars)), want) << key;
    }
}

TEST_P(ExecutableResources, VersionStringTableHoldsExactlyTheProductKeys)
{
    const std::string_view raw = Data(RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO));
    ASSERT_FALSE(raw.empty()) << "no version resource 1 in Chinese (PRC)";
    VersionNode root;
    const size_t parsed = ParseVersionNode(reinterpret_cast<const uint8_t*>(raw.data()), raw.size(), root);
    ASSERT_GT(parsed, 0u) << "malformed version resource";
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");

    std::set<std::wstring> blocks;
    for (const auto& c : root.children)
        blocks.insert(c.key);
    EXPECT_EQ(blocks, (std::set<std::wstring>{L"StringFileInfo", L"VarFileInfo"}));

    const VersionNode* sfi = root.Child(L"StringFileInfo");
    ASSERT_NE(sfi, nullptr);
    ASSERT_EQ(sfi->children.size(), 1u) << "one string table only";
    const VersionNode& table = sfi->children.front();
    EXPECT_EQ(table.key, L"080403A8");

    std::map<std::wstring, std::wstring> strings;
    for (const auto& s : table.children) {
        EXPECT_EQ(s.type, 1) << "text value expected";
        EXPECT_TRUE(strings.emplace(s.key, s.Text()).second) << "key twice: " << Narrow(s.key);
    }
    EXPECT_EQ(strings, VersionStrings);
}

TEST_P(ExecutableResources, EveryOwnResourceIsChinesePrc)
{
    const std::set<WORD> prc{ChinesePrc};
    EXPECT_EQ(Languages(RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO)), prc) << "version block";
    EXPECT_EQ(Languages(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID), prc) << "manifest";
    EXPECT_EQ(Languages(RT_GROUP_ICON, ResourceNames::MainIcon), prc) << "icon group";
    EXPECT_EQ(Languages(RT_BITMAP, ResourceNames::BeginImage), prc) << "welcome bitmap";
    for (const std::string& id : Names(RT_ICON)) {
        ASSERT_EQ(id[0], '#');
        EXPECT_EQ(Languages(RT_ICON, MAKEINTRESOURCEA(std::stoi(id.substr(1)))), prc) << "icon image " << id;
    }
}

TEST_P(ExecutableResources, ManifestAsksForCommonControls6AndNoElevation)
{
    EXPECT_EQ(Names(RT_MANIFEST), std::vector<std::string>{"#1"}) << "one manifest, id 1";
    const std::string xml(Data(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID));
    ASSERT_FALSE(xml.empty());
    EXPECT_EQ(xml.rfind("<?xml", 0), 0u) << "XML declaration first, no byte-order mark";
    EXPECT_NE(xml.find("encoding=\"UTF-8\""), std::string::npos);

    const auto identities = Elements(xml, "assemblyIdentity");
    ASSERT_EQ(identities.size(), 2u) << "the program's identity and one dependency";
    EXPECT_EQ(identities[0].at("type"), "win32");
    EXPECT_EQ(identities[0].at("processorArchitecture"), "*");
    EXPECT_FALSE(identities[0].at("name").empty());
    EXPECT_FALSE(identities[0].at("version").empty());

    const std::map<std::string, std::string> controls = {
        {"type", "win32"},
        {"name", "Microsoft.Windows.Common-Controls"},
        {"version", "6.0.0.0"},
        {"processorArchitecture", "*"},
        {"publicKeyToken", "6595b64144ccf1df"},
        {"language", "*"},
    };
    EXPECT_EQ(identities[1], controls);
    EXPECT_EQ(Elements(xml, "dependentAssembly").size(), 1u);

    const auto trust = Elements(xml, "trustInfo");
    ASSERT_EQ(trust.size(), 1u);
    EXPECT_EQ(trust[0].at("xmlns"), "urn:schemas-microsoft-com:asm.v3");
    const auto level = Elements(xml, "requestedExecutionLevel");
    ASSERT_EQ(level.size(), 1u);
    EXPECT_EQ(level[0], (std::map<std::string, std::string>{{"level", "asInvoker"}, {"uiAccess", "false"}}));
}

TEST_P(ExecutableResources, MainIconIsTheOnlyGroupWithOne48x48ImageWithAlpha)
{
    EXPECT_EQ(Names(RT_GROUP_ICON), std::vector<std::string>{ResourceNames::MainIcon});

    const std::string_view group = Data(RT_GROUP_ICON, ResourceNames::MainIcon);
    ASSERT_EQ(group.size(), 6u + 14u) << "a directory with one entry";
    const auto* g = reinterpret_cast<const uint8_t*>(group.data());
    EXPECT_EQ(U16(g), 0);      // reserved
    EXPECT_EQ(U16(g + 2), 1);  // icon
    ASSERT_EQ(U16(g + 4), 1);  // one image
    const uint8_t* e = g + 6;
    EXPECT_EQ(e[0], 48);
    EXPECT_EQ(e[1], 48);
    EXPECT_EQ(e[2], 0) << "no palette";
    EXPECT_EQ(U16(e + 4), 1) << "planes";
    EXPECT_EQ(U16(e + 6), 32) << "bits per pixel";
    EXPECT_EQ(U32(e + 8), 9640u) << "bytes in the image";
    const WORD id = U16(e + 12);

    const std::string_view image = Data(RT_ICON, MAKEINTRESOURCEA(id));
    ASSERT_EQ(image.size(), 9640u);
    const auto* b = reinterpret_cast<const uint8_t*>(image.data());
    EXPECT_EQ(U32(b), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(I32(b + 4), 48);
    EXPECT_EQ(I32(b + 8), 96) << "colour rows and mask rows";
    EXPECT_EQ(U16(b + 12), 1);
    EXPECT_EQ(U16(b + 14), 32);
    EXPECT_EQ(U32(b + 16), static_cast<uint32_t>(BI_RGB));

    // The mask hides exactly the fully transparent pixels; a drawn icon has
    // both, and more than a handful of colours.
    const uint8_t* colour = b + 40;
    const uint8_t* mask = colour + 48 * 48 * 4;
    int transparent = 0, opaque = 0, mismatches = 0;
    std::set<uint32_t> colours;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            const uint32_t bgra = U32(colour + (y * 48 + x) * 4);
            const bool clear = (bgra >> 24) == 0;
            const bool masked = (mask[y * 8 + x / 8] & (0x80 >> (x % 8))) != 0;
            mismatches += clear != masked;
            clear ? ++transparent : ++opaque;
            colours.insert(bgra);
        }
        for (int pad = 6; pad < 8; ++pad)
            EXPECT_EQ(mask[y * 8 + pad], 0) << "mask row padding";
    }
    EXPECT_EQ(mismatches, 0) << "mask bits that disagree with the alpha channel";
    EXPECT_GT(transparent, 0);
    EXPECT_GT(opaque, 48 * 48 / 2);
    EXPECT_GT(colours.size(), 200u) << "a drawn picture, not a flat fill";

    // And the system makes an icon of it.
    tk::UniqueIcon icon(::CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<char*>(image.data())),
                                                   static_cast<DWORD>(image.size()), TRUE, 0x00030000, 48, 48,
                                                   LR_DEFAULTCOLOR));
    EXPECT_TRUE(icon) << "error " << ::GetLastError();
}

TEST_P(ExecutableResources, WelcomeBitmapIs160x271TrueColourBottomUp)
{
    const std::string_view bmp = Data(RT_BITMAP, ResourceNames::BeginImage);
    constexpr uint32_t stride = 160 * 3;
    ASSERT_EQ(bmp.size(), 40u + stride * 271) << "header and pixels, no palette";
    const auto* b = reinterpret_cast<const uint8_t*>(bmp.data());
    EXPECT_EQ(U32(b), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(I32(b + 4), 160);
    EXPECT_EQ(I32(b + 8), 271) << "positive: rows stored bottom-up";
    EXPECT_EQ(U16(b + 12), 1);
    EXPECT_EQ(U16(b + 14), 24);
    EXPECT_EQ(U32(b + 16), static_cast<uint32_t>(BI_RGB));
    EXPECT_EQ(I32(b + 24), 2834) << "pixels per metre across";
    EXPECT_EQ(I32(b + 28), 2834) << "pixels per metre down";
    EXPECT_EQ(U32(b + 32), 0u) << "no colour table";

    std::set<uint32_t> colours;
    for (uint32_t i = 40; i + 3 <= bmp.size(); i += 3)
        colours.insert(b[i] | b[i + 1] << 8 | b[i + 2] << 16);
    EXPECT_GT(colours.size(), 1000u) << "a drawn picture, not a flat fill";
}

INSTANTIATE_TEST_SUITE_P(SetupExe, ExecutableResources,
                         testing::Values(Image{"i686", SETUP_I686_EXE}, Image{"x86_64", SETUP_X86_64_EXE}));

} // namespace
