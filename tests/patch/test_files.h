// File helpers for the patcher's tests: byte-exact reads and writes, a private
// temporary folder, the folder that the patch run sees as the Windows
// directory, and a guard that makes a file read-only even for root.
#ifndef MORVANE_TESTS_PATCH_TEST_FILES_H
#define MORVANE_TESTS_PATCH_TEST_FILES_H

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path);
void WriteBytes(const fs::path& path, const std::string& bytes);

// A sample file from tests/data.
fs::path TestData(const char* name);

// A fresh, empty folder of its own, removed with everything in it.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& Path() const { return path_; }
    // The path as the product is given it.
    std::string operator/(const char* name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

// The Windows directory of a patch run, with an INF folder holding none of the
// files the run touches. Host: a temporary folder that WINDIR names; Windows:
// the system's own Windows directory, whose patch files are removed before and
// after the test.
class WindowsFolder
{
public:
    WindowsFolder();
    ~WindowsFolder();
    WindowsFolder(const WindowsFolder&) = delete;
    WindowsFolder& operator=(const WindowsFolder&) = delete;
    fs::path Inf(const char* name) const { return inf_ / name; }
    // Names of the files in the INF folder that a patch run may touch and that exist.
    std::string PatchFilesPresent() const;

private:
    void RemovePatchFiles() const;
#ifndef _WIN32
    TempDir root_;
#endif
    fs::path inf_;
};

// Makes a file unwritable until the guard goes. Linux: the immutable flag, as
// root ignores permission bits. Windows: the read-only attribute, and a handle
// held open that denies writers, because Wine run by root maps the attribute
// to permission bits that root ignores too.
class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const fs::path& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    // False when the file system does not support it: the test is skipped.
    bool Active() const { return active_; }

private:
    fs::path path_;
    bool active_;
#ifdef _WIN32
    void* denyWriters_;
#endif
};

#endif
