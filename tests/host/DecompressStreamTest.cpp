#include "UnitZipModule/UnitZipModule.h"
#include "toolkit/core/DecompressionStream.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/core/MemoryStream.h"

#include "../common/PayloadRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using testrecords::Bytes;
using testrecords::Failure;
using testrecords::operator+;

// A source over bytes that hands out at most `piece` bytes per read, as a
// file or pipe may.
class PieceStream : public tk::TStream {
public:
    PieceStream(Bytes bytes, std::int32_t piece) : bytes_(std::move(bytes)), piece_(piece) {}
    std::int32_t Read(void* buffer, std::int32_t count) override
    {
        ++reads_;
        const auto left = static_cast<std::int64_t>(bytes_.size()) - position_;
        const auto n = static_cast<std::int32_t>(std::max<std::int64_t>(0, std::min<std::int64_t>({count, piece_, left})));
        if (n > 0)
            std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(n));
        position_ += n;
        return n;
    }
    std::int32_t Write(const void*, std::int32_t) override { return 0; }
    std::int64_t Seek(std::int64_t offset, tk::TSeekOrigin origin) override
    {
        if (origin == tk::TSeekOrigin::soBeginning)
            position_ = offset;
        else if (origin == tk::TSeekOrigin::soCurrent)
            position_ += offset;
        else
            position_ = static_cast<std::int64_t>(bytes_.size()) + offset;
        return position_;
    }
    int reads_ = 0;

private:
    Bytes bytes_;
    std::int32_t piece_;
    std::int64_t position_ = 0;
};

Bytes ContentOf(tk::TMemoryStream& stream)
{
    const auto* data = static_cast<const unsigned char*>(stream.Memory());
    return Bytes(data, data + stream.Size());
}

// Runs the record through DecompressStream; returns the message of the
// failure ("" on success) after checking its class.
std::string Decompress(tk::TStream& source, tk::TMemoryStream& result, Failure expected)
{
    try {
        TDataModuleZip::DecompressStream(source, result);
    } catch (const tk::EReadError& e) {
        EXPECT_EQ(expected, Failure::ReadError) << e.what();
        return e.what();
    } catch (const tk::EWriteError& e) {
        EXPECT_EQ(expected, Failure::WriteError) << e.what();
        return e.what();
    } catch (const tk::EZlibError& e) {
        EXPECT_EQ(expected, Failure::ZlibError) << e.what();
        return e.what();
    }
    EXPECT_EQ(expected, Failure::None);
    return "";
}

class RecordTable : public testing::TestWithParam<testrecords::RecordCase> {};

TEST_P(RecordTable, ReplacesResultOrRaisesTheRecordsFailure)
{
    const auto& c = GetParam();
    // Whole buffers at once, and a few bytes per read (every refill path).
    for (const std::int32_t piece : {1 << 20, 5}) {
        PieceStream source(c.record, piece);
        tk::TMemoryStream result;
        const Bytes old = {1, 2, 3};
        result.WriteBuffer(old.data(), 3);
        EXPECT_EQ(Decompress(source, result, c.failure), testrecords::MessageOf(c.failure)) << piece;
        if (c.failure == Failure::None) {
            EXPECT_EQ(ContentOf(result), c.content) << piece;
            // The result is the same object, ready to read from its start.
            EXPECT_EQ(result.Position(), 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Records, RecordTable, testing::ValuesIn(testrecords::RecordCases()),
    [](const auto& info) { return info.param.name; });

TEST(DecompressStream, StartsAtTheSourcesPositionAndAcceptsAnyLevel)
{
    const Bytes content = testrecords::SampleContent(70000, 3);
    for (const int level : {0, 1, 9}) {
        const Bytes record = Bytes{0xEE, 0xEE} + testrecords::SizeField(70000) + testrecords::ZlibStream(content, {}, level);
        PieceStream source(record, 4096);
        source.SetPosition(2);
        tk::TMemoryStream result;
        TDataModuleZip::DecompressStream(source, result);
        EXPECT_EQ(ContentOf(result), content) << level;
    }
}

TEST(DecompressionStream, ReadsInPiecesOfAtMost64KiBAndReturnsToItsPlaceInTheSource)
{
    const Bytes content = testrecords::SampleContent(400000, 5);
    PieceStream source(Bytes{0xAB} + testrecords::ZlibStream(content), 1 << 30);
    source.SetPosition(1);
    tk::TDecompressionStream stream(source);
    Bytes out(content.size());
    stream.ReadBuffer(out.data(), 1000);
    // Someone else moves the source between reads.
    source.SetPosition(0);
    stream.ReadBuffer(out.data() + 1000, static_cast<std::int32_t>(out.size() - 1000));
    EXPECT_EQ(out, content);
    EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(content.size()));
    const auto streamSize = testrecords::ZlibStream(content).size();
    EXPECT_GE(source.reads_, static_cast<int>((streamSize + 65535) / 65536));

    unsigned char beyond = 0;
    EXPECT_EQ(stream.Read(&beyond, 1), 0);
    EXPECT_TRUE(stream.StreamEnded());
}

TEST(DecompressionStream, IsReadOnly)
{
    PieceStream source(testrecords::ZlibStream({1, 2, 3}), 100);
    tk::TDecompressionStream stream(source);
    const char byte = 0;
    EXPECT_THROW(stream.Write(&byte, 1), tk::EInvalidStreamOperation);
    EXPECT_THROW(stream.Seek(0, tk::TSeekOrigin::soBeginning), tk::EInvalidStreamOperation);
    try {
        stream.Write(&byte, 1);
    } catch (const tk::Exception& e) {
        EXPECT_STREQ(e.what(), "Invalid stream operation");
    }
}

} // namespace
