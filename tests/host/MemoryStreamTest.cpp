#include "toolkit/core/Exceptions.h"
#include "toolkit/core/MemoryStream.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(tk::TMemoryStream& stream)
{
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

TEST(MemoryStream, WritesGrowReadsStopAtTheEnd)
{
    tk::TMemoryStream stream;
    for (int i = 0; i < 1000; ++i)
        stream.WriteBuffer("abcdefgh", 8);
    EXPECT_EQ(stream.Size(), 8000);
    stream.SetPosition(7996);
    char buffer[8] = {};
    EXPECT_EQ(stream.Read(buffer, 8), 4);
    EXPECT_EQ(std::string(buffer, 4), "efgh");
    EXPECT_EQ(stream.Read(buffer, 8), 0);
    EXPECT_THROW(stream.ReadBuffer(buffer, 1), tk::EReadError);
    stream.SetPosition(0);
    EXPECT_NO_THROW(stream.ReadBuffer(buffer, 0));
}

TEST(MemoryStream, NegativeCountsTransferNothing)
{
    tk::TMemoryStream stream;
    EXPECT_EQ(stream.Write("x", -1), 0);
    EXPECT_THROW(stream.WriteBuffer("x", -1), tk::EWriteError);
    char buffer[1];
    EXPECT_EQ(stream.Read(buffer, -1), 0);
    EXPECT_EQ(stream.Size(), 0);
}

TEST(MemoryStream, WritingPastTheEndFillsTheGapWithZeros)
{
    tk::TMemoryStream stream;
    stream.WriteBuffer("ab", 2);
    stream.SetPosition(5);
    stream.WriteBuffer("c", 1);
    EXPECT_EQ(Text(stream), std::string("ab\0\0\0c", 6));
}

TEST(MemoryStream, LoadSaveAndCopyReplaceTheWholeContent)
{
    tk::TMemoryStream source;
    source.WriteBuffer("0123456789", 10);
    source.SetPosition(4);

    tk::TMemoryStream loaded;
    loaded.WriteBuffer("old content that is longer", 26);
    loaded.LoadFromStream(source);
    EXPECT_EQ(Text(loaded), "0123456789");
    EXPECT_EQ(loaded.Position(), 0);

    tk::TMemoryStream saved;
    saved.WriteBuffer(">", 1);
    loaded.SaveToStream(saved);
    EXPECT_EQ(Text(saved), ">0123456789");

    tk::TMemoryStream copied;
    EXPECT_EQ(copied.CopyFrom(source, 0), 10);
    EXPECT_EQ(Text(copied), "0123456789");
    source.SetPosition(6);
    copied.Clear();
    EXPECT_EQ(copied.CopyFrom(source, 3), 3);
    EXPECT_EQ(Text(copied), "678");
    EXPECT_THROW(copied.CopyFrom(source, 5), tk::EReadError);
}

TEST(MemoryStream, SetSizeKeepsTheStartAndClampsThePosition)
{
    tk::TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    stream.SetSize(3);
    EXPECT_EQ(Text(stream), "abc");
    EXPECT_EQ(stream.Position(), 3);
    EXPECT_THROW(stream.SetSize(-1), tk::EOutOfMemory);
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Memory(), nullptr);
}

} // namespace
