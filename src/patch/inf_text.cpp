// INF text primitives over the platform's binary byte streams, one byte at a
// time through the streams' buffers, with every read, write and close checked.
#include "patch/inf_text.h"

#include "patch/byte_string.h"
#include "platform/byte_stream.h"

namespace
{

// Longest section name the header scan keeps: its buffer holds 63 name bytes
// and a terminating zero.
enum { NAME_CAPACITY = 64 };

// Moves one byte from in to out. STREAM_BYTE with *byte set, STREAM_END, or
// STREAM_ERROR when the read or the write failed.
int PassByte(ByteStream* in, ByteStream* out, unsigned char* byte)
{
    int got = StreamGetByte(in, byte);
    if (got != STREAM_BYTE)
        return got;
    if (!StreamPutByte(out, *byte))
        return STREAM_ERROR;
    return STREAM_BYTE;
}

// Moves bytes up to and including the next stop byte: STREAM_BYTE when it was
// moved, STREAM_END or STREAM_ERROR otherwise.
int PassThrough(ByteStream* in, ByteStream* out, unsigned char stop)
{
    unsigned char byte = 0;
    int got;
    do {
        got = PassByte(in, out, &byte);
    } while (got == STREAM_BYTE && byte != stop);
    return got;
}

int WriteLine(ByteStream* out, const char* text)
{
    for (; *text != 0; ++text) {
        if (!StreamPutByte(out, (unsigned char)*text))
            return 0;
    }
    return StreamPutByte(out, '\r') && StreamPutByte(out, '\n');
}

// The scan of InsertSectionLines between its opens and its closes.
int CopyInsertingLines(ByteStream* in, ByteStream* out, const char* section, int count,
                       const char* const* lines)
{
    char name[NAME_CAPACITY];
    unsigned int length;
    int overlong;
    unsigned char byte = 0;
    int got;
    int i;

    for (;;) {
        got = PassByte(in, out, &byte);
        if (got != STREAM_BYTE)
            return got == STREAM_END ? INSERT_NO_SECTION : INSERT_IO_ERROR;
        if (byte != '[')
            continue;

        // A candidate name: everything up to the next ']', line ends and
        // further '[' included. Bytes beyond the buffer are still copied, but
        // such a name can match nothing.
        length = 0;
        overlong = 0;
        for (;;) {
            got = PassByte(in, out, &byte);
            if (got != STREAM_BYTE)
                return got == STREAM_END ? INSERT_NO_SECTION : INSERT_IO_ERROR;
            if (byte == ']')
                break;
            if (length < NAME_CAPACITY - 1)
                name[length++] = (char)byte;
            else
                overlong = 1;
        }
        if (overlong || !SameNameIgnoringCase(name, length, section))
            continue;

        // The rest of the header line, trailing comment included.
        got = PassThrough(in, out, '\r');
        if (got == STREAM_BYTE)
            got = PassThrough(in, out, '\n');
        if (got != STREAM_BYTE)
            return got == STREAM_END ? INSERT_NO_SECTION : INSERT_IO_ERROR;

        for (i = 0; i < count; ++i) {
            if (!WriteLine(out, lines[i]))
                return INSERT_IO_ERROR;
        }

        do {
            got = PassByte(in, out, &byte);
        } while (got == STREAM_BYTE);
        return got == STREAM_END ? INSERT_DONE : INSERT_IO_ERROR;
    }
}

} // namespace

int CopyWholeFile(const char* destination, const char* source)
{
    int result = 0;
    ByteStream* in = StreamOpen(source, STREAM_READ);
    ByteStream* out = 0;
    unsigned long size = 0;
    unsigned long copied;
    unsigned char byte = 0;

    // The size comes from the open file, not from reading to its end; it is
    // taken before the destination is opened, so that a source that cannot be
    // measured leaves the destination as it was.
    if (in == 0 || !StreamSize(in, &size))
        goto out;
    out = StreamOpen(destination, STREAM_WRITE);
    if (out == 0)
        goto out;
    for (copied = 0; copied < size; ++copied) {
        if (StreamGetByte(in, &byte) != STREAM_BYTE)
            goto out;
        if (!StreamPutByte(out, byte))
            goto out;
    }
    result = 1;

out:
    if (in != 0 && !StreamClose(in))
        result = 0;
    if (out != 0 && !StreamClose(out))
        result = 0;
    return result;
}

int InsertSectionLines(const char* destination, const char* source, const char* section, int count,
                       const char* const* lines)
{
    int result = INSERT_IO_ERROR;
    ByteStream* in = StreamOpen(source, STREAM_READ);
    ByteStream* out = 0;

    if (in == 0)
        goto out;
    out = StreamOpen(destination, STREAM_WRITE);
    if (out == 0)
        goto out;
    result = CopyInsertingLines(in, out, section, count > 0 ? count : 0, lines);

out:
    if (in != 0 && !StreamClose(in))
        result = INSERT_IO_ERROR;
    if (out != 0 && !StreamClose(out))
        result = INSERT_IO_ERROR;
    return result;
}
