// Byte-string helpers for the patch code. InfPatch.exe links no C runtime, so
// the patcher cannot use <string.h> or a printf family; these few routines do
// what it needs, and every one of them is told how much room it has.
#ifndef MORVANE_PATCH_BYTE_STRING_H
#define MORVANE_PATCH_BYTE_STRING_H

// Size of every path buffer of the patcher: 127 characters and the zero.
enum { PATH_CAPACITY = 128 };

// Folds the ASCII letters A to Z to lower case and nothing else: section
// names compare this way whatever the code page of the INF file.
inline unsigned char FoldAsciiCase(unsigned char byte)
{
    if (byte >= 'A' && byte <= 'Z')
        return (unsigned char)(byte - 'A' + 'a');
    return byte;
}

// 1 when the length bytes at candidate equal the zero-terminated wanted name,
// ignoring the case of ASCII letters. The candidate is counted, not
// terminated, so a zero byte read from a file cannot end it early.
inline int SameNameIgnoringCase(const char* candidate, unsigned int length, const char* wanted)
{
    unsigned int i;
    for (i = 0; i < length; ++i) {
        if (wanted[i] == 0)
            return 0;
        if (FoldAsciiCase((unsigned char)candidate[i]) != FoldAsciiCase((unsigned char)wanted[i]))
            return 0;
    }
    return wanted[length] == 0;
}

// Appends text to the zero-terminated string of *used bytes in buffer. 1 when
// it fits with its terminating zero; 0 otherwise, with the buffer as it was.
inline int AppendString(char* buffer, unsigned int capacity, unsigned int* used, const char* text)
{
    unsigned int end = *used;
    unsigned int i;
    for (i = 0; text[i] != 0; ++i) {
        if (end + 1 >= capacity) {
            buffer[*used] = 0;
            return 0;
        }
        buffer[end++] = text[i];
    }
    buffer[end] = 0;
    *used = end;
    return 1;
}

// path := windowsDirectory "\INF\" name, in a buffer of PATH_CAPACITY bytes.
// A result that would not fit is refused (0) rather than cut short, so that a
// long Windows directory can never turn into the path of some other file.
inline int BuildInfPath(char* path, const char* windowsDirectory, const char* name)
{
    unsigned int used = 0;
    path[0] = 0;
    return AppendString(path, PATH_CAPACITY, &used, windowsDirectory) &&
           AppendString(path, PATH_CAPACITY, &used, "\\INF\\") &&
           AppendString(path, PATH_CAPACITY, &used, name);
}

#endif
