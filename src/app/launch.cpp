// Finding a program in the current folder or along PATH, starting it and
// waiting for its end, with the Win32 calls that Windows 95 has and without
// any C runtime: the text handling is done here, every length checked.
#include "app/launch.h"

#include "platform/win32_api.h"

namespace
{

// A full file name with its terminating zero.
const unsigned FileNameCapacity = MAX_PATH;

// The longest value an environment variable can hold, with its zero. PATH is
// read whole or not at all: a value cut short would end in a partial folder
// name that could name some other folder.
const unsigned SearchPathCapacity = 32768;

// The length of `text`, or `limit` when it is that long or longer. The
// bound also keeps the compiler from turning the loop into a call of the C
// runtime's strlen, which this program does not link.
unsigned BoundedLength(const char* text, unsigned limit)
{
    unsigned length = 0;
    while (length < limit && text[length] != '\0')
        ++length;
    return length;
}

// Writes the first `firstLength` bytes of `first`, the byte `separator` (none
// when it is 0) and the zero-terminated `second` into `out`, which holds
// FileNameCapacity bytes. Returns 0 when the result would not fit.
int Join(char* out, const char* first, unsigned firstLength, char separator, const char* second)
{
    const unsigned separatorLength = separator ? 1 : 0;
    if (firstLength + separatorLength >= FileNameCapacity)
        return 0;
    const unsigned room = FileNameCapacity - firstLength - separatorLength; // for second and zero
    const unsigned secondLength = BoundedLength(second, room);
    if (secondLength >= room)
        return 0;
    unsigned at = 0;
    for (unsigned i = 0; i < firstLength; ++i)
        out[at++] = first[i];
    if (separator)
        out[at++] = separator;
    for (unsigned i = 0; i < secondLength; ++i)
        out[at++] = second[i];
    out[at] = '\0';
    return 1;
}

// path := the first `folderLength` bytes of `folder`, a backslash unless the
// folder already ends in one (a root such as "C:\"), and `name`. Returns 0
// when the result would not fit or the folder is empty.
int JoinFileName(char* path, const char* folder, unsigned folderLength, const char* name)
{
    if (folderLength == 0)
        return 0;
    const char last = folder[folderLength - 1];
    return Join(path, folder, folderLength, (last == '\\' || last == '/') ? 0 : '\\', name);
}

// A directory of the program's name is no program to start.
int IsFile(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

int FindInCurrentFolder(const char* program, char* path)
{
    char folder[FileNameCapacity];
    // The result is the length on success, or the size needed (with the
    // zero) when the folder does not fit; the buffer is unusable then.
    const DWORD length = GetCurrentDirectoryA(FileNameCapacity, folder);
    if (length == 0 || length >= FileNameCapacity)
        return 0;
    return JoinFileName(path, folder, length, program) && IsFile(path);
}

int FindAlongSearchPath(const char* program, char* path)
{
    char search[SearchPathCapacity];
    const DWORD length = GetEnvironmentVariableA("PATH", search, SearchPathCapacity);
    if (length == 0 || length >= SearchPathCapacity)
        return 0;
    unsigned start = 0;
    while (start < length) {
        unsigned end = start;
        while (end < length && search[end] != ';')
            ++end;
        if (JoinFileName(path, search + start, end - start, program) && IsFile(path))
            return 1;
        start = end + 1;
    }
    return 0;
}

} // namespace

int LaunchAndWait(const char* program, const char* argument)
{
    // CreateProcessA may write into the command line, so it lives in a
    // buffer of our own rather than in a string constant.
    char commandLine[FileNameCapacity];
    char path[FileNameCapacity];
    if (!Join(commandLine, program, BoundedLength(program, FileNameCapacity), ' ', argument))
        return 0;

    if (!FindInCurrentFolder(program, path) && !FindAlongSearchPath(program, path))
        return 0;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // No inherited handles, no creation flags, this program's environment
    // and current folder: the editor resolves "readme.txt" against the
    // folder this program runs in.
    if (!CreateProcessA(path, commandLine, 0, 0, FALSE, 0, 0, 0, &startup, &process))
        return 0;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 1;
}
