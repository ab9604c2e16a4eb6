// The memory and string functions that gcc may call on its own in code built
// without a C runtime: for structure copies, large zero-initialisations, and
// loops that it recognises as one of these (a length count becomes strlen).
// This file is compiled with -fno-tree-loop-distribute-patterns, so that the
// compiler does not turn these loops back into calls of themselves.
#include <stddef.h>

extern "C" void* memset(void* destination, int value, size_t count)
{
    unsigned char* d = static_cast<unsigned char*>(destination);
    while (count-- > 0)
        *d++ = static_cast<unsigned char>(value);
    return destination;
}

extern "C" void* memcpy(void* destination, const void* source, size_t count)
{
    unsigned char* d = static_cast<unsigned char*>(destination);
    const unsigned char* s = static_cast<const unsigned char*>(source);
    while (count-- > 0)
        *d++ = *s++;
    return destination;
}

extern "C" void* memmove(void* destination, const void* source, size_t count)
{
    unsigned char* d = static_cast<unsigned char*>(destination);
    const unsigned char* s = static_cast<const unsigned char*>(source);
    if (d < s) {
        while (count-- > 0)
            *d++ = *s++;
    } else {
        while (count-- > 0)
            d[count] = s[count];
    }
    return destination;
}

extern "C" int memcmp(const void* left, const void* right, size_t count)
{
    const unsigned char* l = static_cast<const unsigned char*>(left);
    const unsigned char* r = static_cast<const unsigned char*>(right);
    for (size_t i = 0; i < count; ++i) {
        if (l[i] != r[i])
            return l[i] < r[i] ? -1 : 1;
    }
    return 0;
}

extern "C" size_t strlen(const char* text)
{
    size_t length = 0;
    while (text[length] != '\0')
        ++length;
    return length;
}
