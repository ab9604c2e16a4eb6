// Host byte streams over stdio, for the tests: binary mode, '\' in paths
// opened as '/', and every failed write, flush and close reported.
#include "platform/byte_stream.h"
#include "platform/host/host_text.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

struct ByteStream {
    FILE* file;
    StreamModes mode;
    int writeFailed;
};

ByteStream* StreamOpen(const char* path, StreamModes mode)
{
    FILE* file = fopen(host::HostPath(path).c_str(), mode == STREAM_READ ? "rb" : "wb");
    if (file == 0)
        return 0;
    ByteStream* stream = static_cast<ByteStream*>(malloc(sizeof(ByteStream)));
    if (stream == 0) {
        fclose(file);
        return 0;
    }
    stream->file = file;
    stream->mode = mode;
    stream->writeFailed = 0;
    return stream;
}

int StreamGetByte(ByteStream* stream, unsigned char* byte)
{
    int c = fgetc(stream->file);
    if (c == EOF)
        return ferror(stream->file) ? STREAM_ERROR : STREAM_END;
    *byte = static_cast<unsigned char>(c);
    return STREAM_BYTE;
}

int StreamPutByte(ByteStream* stream, unsigned char byte)
{
    if (fputc(byte, stream->file) == EOF) {
        stream->writeFailed = 1;
        return 0;
    }
    return 1;
}

int StreamWrite(ByteStream* stream, const void* data, unsigned long length)
{
    if (fwrite(data, 1, length, stream->file) != length) {
        stream->writeFailed = 1;
        return 0;
    }
    return 1;
}

int StreamSize(ByteStream* stream, unsigned long* size)
{
    struct stat status;
    if (fstat(fileno(stream->file), &status) != 0 || status.st_size < 0)
        return 0;
    *size = static_cast<unsigned long>(status.st_size);
    return 1;
}

int StreamClose(ByteStream* stream)
{
    int ok = !stream->writeFailed;
    // Buffered bytes reach the file only here; a full disk shows up as a
    // failing flush, or as an error the stream has recorded.
    if (stream->mode == STREAM_WRITE && (fflush(stream->file) != 0 || ferror(stream->file)))
        ok = 0;
    if (fclose(stream->file) != 0)
        ok = 0;
    free(stream);
    return ok;
}
