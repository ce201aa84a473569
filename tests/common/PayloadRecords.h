#pragma once
// Payload records for tests: a maker for well-formed records and a table of
// broken ones, with the failure each must raise. Shared by the host tests
// and the Windows tests.

#include <zlib.h>

#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace testrecords {

using Bytes = std::vector<unsigned char>;

inline Bytes SizeField(std::int32_t size)
{
    const auto u = static_cast<std::uint32_t>(size);
    return {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
        static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
}

inline Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// One zlib stream of content; with a dictionary when one is given.
inline Bytes ZlibStream(const Bytes& content, const std::string& dictionary = {}, int level = Z_DEFAULT_COMPRESSION)
{
    z_stream z{};
    if (deflateInit(&z, level) != Z_OK)
        throw std::runtime_error("deflateInit");
    if (!dictionary.empty())
        deflateSetDictionary(&z, reinterpret_cast<const Bytef*>(dictionary.data()),
            static_cast<uInt>(dictionary.size()));
    Bytes out(deflateBound(&z, static_cast<uLong>(content.size())) + 64);
    z.next_in = const_cast<Bytef*>(content.data());
    z.avail_in = static_cast<uInt>(content.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (result != Z_STREAM_END)
        throw std::runtime_error("deflate");
    return out;
}

// A well-formed record: the size, then the stream, nothing after.
inline Bytes Record(const Bytes& content)
{
    return SizeField(static_cast<std::int32_t>(content.size())) + ZlibStream(content);
}

// Partly compressible content: text-like runs mixed with noise.
inline Bytes SampleContent(std::size_t size, std::uint32_t seed = 1)
{
    Bytes content(size);
    std::uint32_t x = seed;
    for (std::size_t i = 0; i < size; ++i) {
        x = x * 1664525u + 1013904223u;
        content[i] = (i / 512) % 3 == 0 ? static_cast<unsigned char>(x >> 24)
                                        : static_cast<unsigned char>("payload record "[i % 15]);
    }
    return content;
}

enum class Failure { None, ReadError, WriteError, ZlibError };

inline const char* MessageOf(Failure failure)
{
    switch (failure) {
    case Failure::ReadError: return "Stream read error";
    case Failure::WriteError: return "Stream write error";
    case Failure::ZlibError: return "error";
    case Failure::None: break;
    }
    return "";
}

struct RecordCase {
    std::string name;
    Bytes record;
    Failure failure;
    Bytes content; // what a good record inflates to
};

// Test names and messages show the case's name, not its bytes.
inline void PrintTo(const RecordCase& c, std::ostream* os)
{
    *os << c.name;
}

inline std::vector<RecordCase> RecordCases()
{
    const Bytes text = SampleContent(3000);
    const Bytes stream = ZlibStream(text);
    const auto size = static_cast<std::int32_t>(text.size());
    auto changed = [](Bytes bytes, std::size_t at, unsigned char value) {
        bytes.at(at) = value;
        return bytes;
    };
    auto flipped = [](Bytes bytes, std::size_t fromEnd) {
        bytes.at(bytes.size() - fromEnd) ^= 0x5A;
        return bytes;
    };
    const Bytes good = SizeField(size) + stream;
    Bytes cut = good;
    cut.resize(good.size() / 2);

    return {
        {"Good", good, Failure::None, text},
        {"EmptyFile", SizeField(0) + Bytes{0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}, Failure::None, {}},
        {"SeveralInputBuffers", Record(SampleContent(300000, 7)), Failure::None, SampleContent(300000, 7)},
        {"NoBytes", {}, Failure::ReadError, {}},
        {"OneByte", {0x10}, Failure::ReadError, {}},
        {"TwoBytes", {0x10, 0x00}, Failure::ReadError, {}},
        {"ThreeBytes", {0x10, 0x00, 0x00}, Failure::ReadError, {}},
        {"SizeLargerThanContent", SizeField(size + 1) + stream, Failure::ReadError, {}},
        {"StreamCutShort", cut, Failure::ReadError, {}},
        {"SizeSmallerThanContent", SizeField(size - 1) + stream, Failure::ZlibError, {}},
        {"SizeZeroBeforeContent", SizeField(0) + stream, Failure::ZlibError, {}},
        {"SizeZeroWithoutStream", SizeField(0), Failure::ZlibError, {}},
        {"SizeZeroBeforeGarbage", SizeField(0) + Bytes{0xDE, 0xAD}, Failure::ZlibError, {}},
        {"NegativeSize", SizeField(-1) + stream, Failure::WriteError, {}},
        {"TopBitSize", SizeField(INT32_MIN) + stream, Failure::WriteError, {}},
        {"Header789D", SizeField(size) + changed(stream, 1, 0x9D), Failure::ZlibError, {}},
        // Valid header checks, but method 7 / a 64 KiB window.
        {"MethodNotDeflate", SizeField(size) + changed(changed(stream, 0, 0x77), 1, 0x85), Failure::ZlibError, {}},
        {"WindowOver32K", SizeField(size) + changed(changed(stream, 0, 0x88), 1, 0x98), Failure::ZlibError, {}},
        {"TrailerChanged", SizeField(size) + flipped(stream, 1), Failure::ZlibError, {}},
        {"TrailerMissing", SizeField(size) + Bytes(stream.begin(), stream.end() - 4), Failure::ZlibError, {}},
        {"PresetDictionary", SizeField(size) + ZlibStream(text, "payload record "), Failure::ZlibError, {}},
        {"BytesAfterStream", good + Bytes{0x00}, Failure::ZlibError, {}},
        {"SizeLargerWithBytesAfter", SizeField(size + 10) + stream + Bytes(100, 0x41), Failure::ZlibError, {}},
        {"SecondStreamAfter", good + ZlibStream(text), Failure::ZlibError, {}},
    };
}

} // namespace testrecords
