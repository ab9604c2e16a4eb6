// File helpers for the patcher's tests.
#include "test_files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace
{

const char* const PatchFileNames[] = {"MACHINE.INF", "MACHINE.OLD", "_vadro_.tmp", "USB.INF"};

#ifndef _WIN32
// Sets or clears the immutable flag, the one thing that stops root writing.
bool SetImmutable(const fs::path& path, bool on)
{
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    close(fd);
    return ok;
}
#endif

} // namespace

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

fs::path TestData(const char* name)
{
    std::string folder = MORVANE_TEST_DATA;
#ifdef _WIN32
    // Under Wine the host's folders are seen through drive Z:.
    if (!folder.empty() && folder[0] == '/')
        folder = "Z:" + folder;
#endif
    return fs::path(folder) / name;
}

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    unsigned long id = GetCurrentProcessId();
#else
    unsigned long id = static_cast<unsigned long>(getpid());
#endif
    std::ostringstream name;
    name << "morvane-patch-" << id << "-" << counter++;
    path_ = fs::temp_directory_path() / name.str();
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

WindowsFolder::WindowsFolder()
{
#ifdef _WIN32
    char folder[MAX_PATH];
    UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    EXPECT_TRUE(length > 0 && length < sizeof folder);
    inf_ = fs::path(folder) / "INF";
#else
    setenv("WINDIR", root_.Path().c_str(), 1);
    inf_ = root_.Path() / "INF";
#endif
    fs::create_directories(inf_);
    RemovePatchFiles();
}

WindowsFolder::~WindowsFolder()
{
    RemovePatchFiles();
#ifndef _WIN32
    unsetenv("WINDIR");
#endif
}

void WindowsFolder::RemovePatchFiles() const
{
    for (const char* name : PatchFileNames) {
        std::error_code ignored;
        fs::remove(inf_ / name, ignored);
    }
}

std::string WindowsFolder::PatchFilesPresent() const
{
    std::string present;
    for (const char* name : PatchFileNames) {
        if (fs::exists(fs::symlink_status(inf_ / name)))
            present += std::string(present.empty() ? "" : " ") + name;
    }
    return present;
}

ReadOnlyFile::ReadOnlyFile(const fs::path& path) : path_(path)
{
#ifdef _WIN32
    SetFileAttributesA(path.string().c_str(), FILE_ATTRIBUTE_READONLY);
    denyWriters_ = CreateFileA(path.string().c_str(), GENERIC_READ, FILE_SHARE_READ, 0,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    active_ = denyWriters_ != INVALID_HANDLE_VALUE;
#else
    active_ = SetImmutable(path, true);
#endif
}

ReadOnlyFile::~ReadOnlyFile()
{
#ifdef _WIN32
    if (active_)
        CloseHandle(denyWriters_);
    SetFileAttributesA(path_.string().c_str(), FILE_ATTRIBUTE_NORMAL);
#else
    if (active_)
        SetImmutable(path_, false);
#endif
}
