// Host build: text and path helpers shared by the stand-ins.
#ifndef MORVANE_PLATFORM_HOST_HOST_TEXT_H
#define MORVANE_PLATFORM_HOST_HOST_TEXT_H

#include <string>

namespace host
{

// Windows compares registry keys, file and variable names without regard to
// the case of ASCII letters: the stand-ins key their maps by this form.
inline std::string Folded(const std::string& text)
{
    std::string folded = text;
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

// A path that the product built with '\' as the folder separator, as the host
// file system spells it: a folder laid out like a Windows folder serves it.
inline std::string HostPath(const char* windowsPath)
{
    std::string path = windowsPath;
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return path;
}

} // namespace host

#endif
