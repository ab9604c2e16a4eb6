// Binary byte streams: the only way the patch code reaches files.
//
// The host implementation sits on stdio; the Windows one on CreateFileA,
// ReadFile and WriteFile with a buffer of its own, so that InfPatch.exe needs
// no C runtime. Every failure is reported, write errors included: a stream
// that could not hand all of its bytes to the file fails at StreamClose.
#ifndef MORVANE_PLATFORM_BYTE_STREAM_H
#define MORVANE_PLATFORM_BYTE_STREAM_H

struct ByteStream;

enum StreamModes {
    STREAM_READ,  // "rb": an existing file, from its first byte
    STREAM_WRITE, // "wb": created, or truncated when it exists
};

enum StreamGetResults {
    STREAM_ERROR = -1, // the read failed
    STREAM_END = 0,    // no byte left
    STREAM_BYTE = 1,   // *byte holds the next byte
};

// Opens path (with '\' as the folder separator) in the given mode; 0 when the
// file cannot be opened.
ByteStream* StreamOpen(const char* path, StreamModes mode);

// Reads the next byte: STREAM_BYTE, STREAM_END or STREAM_ERROR.
int StreamGetByte(ByteStream* stream, unsigned char* byte);

// Writes one byte, or a block of length bytes: 1, or 0 when the write failed.
int StreamPutByte(ByteStream* stream, unsigned char byte);
int StreamWrite(ByteStream* stream, const void* data, unsigned long length);

// The size in bytes that the file system reports for the open file: 1 with
// *size set, or 0 when the query failed.
int StreamSize(ByteStream* stream, unsigned long* size);

// Flushes and closes; the stream is gone afterwards whatever the result.
// 1 when every byte written reached the file and the close succeeded.
int StreamClose(ByteStream* stream);

#endif
