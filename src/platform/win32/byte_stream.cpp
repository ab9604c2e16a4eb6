// Windows byte streams over the Win32 file functions, with a buffer of their
// own, so that InfPatch.exe needs no C runtime: CreateFileA, ReadFile,
// WriteFile, GetFileSize and CloseHandle, all present on Windows 95.
//
// A stream is one heap block (the handle, the buffer and its counters). A
// write that fails makes the stream fail from then on: later writes report
// failure, and so does StreamClose, so no lost byte goes unnoticed.
#include "platform/byte_stream.h"
#include "platform/win32_api.h"

namespace
{

const DWORD BufferSize = 4096;

} // namespace

struct ByteStream {
    HANDLE file;
    StreamModes mode;
    DWORD filled; // reading: bytes in the buffer; writing: bytes not yet written
    DWORD next;   // reading: the next byte to hand out
    int failed;   // writing: a write to the file failed
    unsigned char buffer[BufferSize];
};

namespace
{

// Hands the buffered bytes to the file; 1 when all of them went.
int Flush(ByteStream* stream)
{
    if (!stream->failed && stream->filled > 0) {
        DWORD written = 0;
        if (!WriteFile(stream->file, stream->buffer, stream->filled, &written, 0) ||
            written != stream->filled)
            stream->failed = 1;
    }
    stream->filled = 0;
    return !stream->failed;
}

} // namespace

ByteStream* StreamOpen(const char* path, StreamModes mode)
{
    if (path == 0 || (mode != STREAM_READ && mode != STREAM_WRITE))
        return 0;
    // The block comes first: for writing, opening truncates the file, and a
    // stream that then could not be had would leave it destroyed for nothing.
    ByteStream* stream =
        static_cast<ByteStream*>(HeapAlloc(GetProcessHeap(), 0, sizeof(ByteStream)));
    if (stream == 0)
        return 0;
    // Windows 95 knows no FILE_SHARE_DELETE; read and write sharing is all
    // there is to grant.
    stream->file =
        CreateFileA(path, mode == STREAM_READ ? GENERIC_READ : GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, 0,
                    mode == STREAM_READ ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    if (stream->file == INVALID_HANDLE_VALUE) {
        HeapFree(GetProcessHeap(), 0, stream);
        return 0;
    }
    // Field by field: a whole-struct initialisation could become a memset
    // call, and there is no C runtime to provide one.
    stream->mode = mode;
    stream->filled = 0;
    stream->next = 0;
    stream->failed = 0;
    return stream;
}

int StreamGetByte(ByteStream* stream, unsigned char* byte)
{
    if (stream == 0 || byte == 0 || stream->mode != STREAM_READ)
        return STREAM_ERROR;
    if (stream->next == stream->filled) {
        DWORD got = 0;
        if (!ReadFile(stream->file, stream->buffer, BufferSize, &got, 0))
            return STREAM_ERROR;
        if (got == 0)
            return STREAM_END;
        stream->filled = got;
        stream->next = 0;
    }
    *byte = stream->buffer[stream->next++];
    return STREAM_BYTE;
}

int StreamPutByte(ByteStream* stream, unsigned char byte)
{
    if (stream == 0 || stream->mode != STREAM_WRITE)
        return 0;
    if (stream->filled == BufferSize && !Flush(stream))
        return 0;
    if (stream->failed)
        return 0;
    stream->buffer[stream->filled++] = byte;
    return 1;
}

int StreamWrite(ByteStream* stream, const void* data, unsigned long length)
{
    if (data == 0 && length > 0)
        return 0;
    // Byte by byte through the buffer: a plain copy loop here is what the
    // compiler would turn into a memcpy call.
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    int result = stream != 0 && stream->mode == STREAM_WRITE && !stream->failed;
    for (unsigned long i = 0; result && i < length; ++i)
        result = StreamPutByte(stream, bytes[i]);
    return result;
}

int StreamSize(ByteStream* stream, unsigned long* size)
{
    if (stream == 0 || size == 0)
        return 0;
    // A writing stream counts what it still holds.
    if (stream->mode == STREAM_WRITE && !Flush(stream))
        return 0;
    DWORD high = 0;
    // 0xFFFFFFFF is also a valid low half; only the error code tells a
    // failure, and GetFileSize does not clear it on success. A size of 4 GB
    // or more does not fit the result and counts as a failure.
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(stream->file, &high);
    if ((low == 0xFFFFFFFF && GetLastError() != NO_ERROR) || high != 0)
        return 0;
    *size = low;
    return 1;
}

int StreamClose(ByteStream* stream)
{
    if (stream == 0)
        return 0;
    int result = 1;
    if (stream->mode == STREAM_WRITE)
        result = Flush(stream);
    if (!CloseHandle(stream->file))
        result = 0;
    HeapFree(GetProcessHeap(), 0, stream);
    return result;
}
