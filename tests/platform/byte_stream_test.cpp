// The byte stream contract, the same assertions over both implementations:
// stdio on the host, the Win32 file functions on the win64 build under Wine.
#include "platform/byte_stream.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// Reads a whole file through a stream; "(cannot open)" when it does not open.
std::string ReadThrough(const std::string& path)
{
    ByteStream* stream = StreamOpen(path.c_str(), STREAM_READ);
    if (stream == nullptr)
        return "(cannot open)";
    std::string bytes;
    unsigned char byte;
    int status;
    while ((status = StreamGetByte(stream, &byte)) == STREAM_BYTE)
        bytes += static_cast<char>(byte);
    EXPECT_EQ(status, STREAM_END);
    EXPECT_EQ(StreamGetByte(stream, &byte), STREAM_END) << "the end stays the end";
    EXPECT_EQ(StreamClose(stream), 1);
    return bytes;
}

TEST(ByteStream, BytesGoThroughUnchangedAcrossBufferBoundaries)
{
    // Line ends, Ctrl-Z and NUL, which text mode would change or stop at,
    // between all other byte values, over more than two buffers' worth.
    const char special[] = {'\r', '\n', '\x1a', '\0'};
    std::string bytes;
    for (int i = 0; i < 10000; ++i)
        bytes += i % 2 == 0 ? special[i / 2 % 4] : static_cast<char>(i / 2);
    TempDir dir;
    const std::string path = dir / "bytes.bin";

    ByteStream* out = StreamOpen(path.c_str(), STREAM_WRITE);
    ASSERT_NE(out, nullptr);
    for (std::size_t i = 0; i < 4321; ++i)
        ASSERT_EQ(StreamPutByte(out, static_cast<unsigned char>(bytes[i])), 1) << i;
    EXPECT_EQ(StreamWrite(out, bytes.data() + 4321, bytes.size() - 4321), 1);
    EXPECT_EQ(StreamClose(out), 1);

    ByteStream* in = StreamOpen(path.c_str(), STREAM_READ);
    ASSERT_NE(in, nullptr);
    unsigned long size = 0;
    EXPECT_EQ(StreamSize(in, &size), 1);
    EXPECT_EQ(size, bytes.size());
    EXPECT_EQ(StreamClose(in), 1);
    EXPECT_EQ(ReadThrough(path), bytes);
}

TEST(ByteStream, WritingReplacesAnExistingFileAndSharesIt)
{
    TempDir dir;
    const std::string path = dir / "old.txt";
    WriteBytes(path, std::string(100, 'x'));

    // A reader of the file does not keep a writer out: streams open with
    // no sharing restriction.
    ByteStream* in = StreamOpen(path.c_str(), STREAM_READ);
    ASSERT_NE(in, nullptr);
    ByteStream* out = StreamOpen(path.c_str(), STREAM_WRITE);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(StreamWrite(out, "new", 3), 1);
    EXPECT_EQ(StreamClose(out), 1);
    EXPECT_EQ(StreamClose(in), 1);
    EXPECT_EQ(ReadBytes(path), "new");

    // An empty file: size 0, and the end comes at once.
    ByteStream* empty = StreamOpen(path.c_str(), STREAM_WRITE);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(StreamClose(empty), 1);
    ByteStream* again = StreamOpen(path.c_str(), STREAM_READ);
    ASSERT_NE(again, nullptr);
    unsigned long size = 1;
    EXPECT_EQ(StreamSize(again, &size), 1);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(StreamClose(again), 1);
    EXPECT_EQ(ReadThrough(path), "");
}

TEST(ByteStream, FilesThatCannotBeOpenedGiveNoStream)
{
    TempDir dir;
    EXPECT_EQ(StreamOpen((dir / "missing.txt").c_str(), STREAM_READ), nullptr);
    const std::string inMissingFolder = dir / "missing";
    EXPECT_EQ(StreamOpen((inMissingFolder + "\\new.txt").c_str(), STREAM_WRITE), nullptr);
}

TEST(ByteStream, BytesThatNeverReachTheFileAreAFailure)
{
#ifdef _WIN32
    const char* const full = "Z:\\dev\\full"; // Wine's view of the Unix device
#else
    const char* const full = "/dev/full";
#endif
    // A few bytes wait in the buffer: the failure shows when they are
    // handed over at the close.
    ByteStream* small = StreamOpen(full, STREAM_WRITE);
    if (small == nullptr)
        GTEST_SKIP() << full << " does not open here";
    StreamWrite(small, "abc", 3);
    EXPECT_EQ(StreamClose(small), 0);

    // Many bytes: the write itself fails, and so does the close.
    ByteStream* large = StreamOpen(full, STREAM_WRITE);
    ASSERT_NE(large, nullptr);
    const std::string block(100000, 'b');
    EXPECT_EQ(StreamWrite(large, block.data(), block.size()), 0);
    EXPECT_EQ(StreamClose(large), 0);
}

} // namespace
