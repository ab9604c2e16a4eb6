// Tests of the whole patch run on a folder laid out like a Windows directory:
// the exact bytes it leaves, a second run, missing and unwritable files, write
// failures, and Windows directories the run has to refuse.
#include "patch/inf_patch.h"

#include "patch/patch_payload.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/statvfs.h>
#endif

namespace
{

// The header lines of the four sections as a sample file spells them; 0 for
// a section the sample lacks.
struct SectionHeaders {
    const char* msSys;
    const char* pciDrvAddReg;
    const char* controlFlags;
    const char* strings;
};

const SectionHeaders SampleHeaders = {"[ms_sys]", "[PCI_DRV_AddReg]", "[ControlFlags]",
                                      "[Strings]"};

std::string InsertBeneath(std::string text, const char* header, const char* const* lines, int count)
{
    if (header == 0)
        return text;
    size_t at = text.find(header);
    size_t end = text.find("\r\n", at);
    if (at == std::string::npos || end == std::string::npos) {
        ADD_FAILURE() << "the sample has no header line " << header;
        return text;
    }
    std::string inserted;
    for (int i = 0; i < count; ++i)
        inserted += std::string(lines[i]) + "\r\n";
    return text.insert(end + 2, inserted);
}

// What one run makes of a MACHINE.INF, worked out by plain text search
// rather than by the product's byte scan.
std::string Patched(const std::string& text, const SectionHeaders& headers)
{
    std::string result = InsertBeneath(text, headers.msSys, MsSysLines, MsSysLineCount);
    result = InsertBeneath(result, headers.pciDrvAddReg, PciDrvAddRegLines, PciDrvAddRegLineCount);
    result = InsertBeneath(result, headers.controlFlags, ControlFlagsLines, ControlFlagsLineCount);
    return InsertBeneath(result, headers.strings, StringsLines, StringsLineCount);
}

const std::string UsbInf(UsbInfText, UsbInfTextLength);

class PatchRun : public testing::Test
{
protected:
    std::string Read(const char* name) const { return ReadBytes(folder.Inf(name)); }
    void Write(const char* name, const std::string& bytes) const
    {
        WriteBytes(folder.Inf(name), bytes);
    }
    WindowsFolder folder;
};

TEST_F(PatchRun, PatchesTheSampleMachineInf)
{
    const std::string original = ReadBytes(TestData("MACHINE.INF"));
    Write("MACHINE.INF", original);
    Write("USB.INF", std::string(9000, 'u'));

    ASSERT_EQ(PatchInfFiles(), 1);
    const std::string expected = Patched(original, SampleHeaders);
    EXPECT_EQ(Read("MACHINE.INF"), expected);
    EXPECT_EQ(Read("MACHINE.OLD"), original);
    EXPECT_EQ(Read("USB.INF"), UsbInf);
    EXPECT_EQ(folder.PatchFilesPresent(), "MACHINE.INF MACHINE.OLD USB.INF");
}

TEST_F(PatchRun, SecondRunInsertsAgainAndBacksUpThePatchedFile)
{
    const std::string original = ReadBytes(TestData("MACHINE.INF"));
    Write("MACHINE.INF", original);
    ASSERT_EQ(PatchInfFiles(), 1);
    ASSERT_EQ(PatchInfFiles(), 1);

    const std::string once = Patched(original, SampleHeaders);
    EXPECT_EQ(Read("MACHINE.INF"), Patched(once, SampleHeaders));
    EXPECT_EQ(Read("MACHINE.OLD"), once);
    EXPECT_EQ(Read("USB.INF"), UsbInf);
    EXPECT_EQ(folder.PatchFilesPresent(), "MACHINE.INF MACHINE.OLD USB.INF");
}

TEST_F(PatchRun, MissingSectionIsSkipped)
{
    const std::string original = "[Version]\r\nClass=System\r\n\r\n[MS_SYS]\r\nm=1\r\n\r\n"
                                 "[PCI_DRV_AddReg]   ; handlers\r\nHKR,,a,,b\r\n\r\n"
                                 "[Strings]\r\ns=\"t\"\r\n";
    Write("MACHINE.INF", original);

    ASSERT_EQ(PatchInfFiles(), 1);
    EXPECT_EQ(Read("MACHINE.INF"),
              Patched(original, {"[MS_SYS]", "[PCI_DRV_AddReg]", 0, "[Strings]"}));
    EXPECT_EQ(folder.PatchFilesPresent(), "MACHINE.INF MACHINE.OLD USB.INF");
}

TEST_F(PatchRun, MissingMachineInfCreatesNothing)
{
    EXPECT_EQ(PatchInfFiles(), 0);
    EXPECT_EQ(folder.PatchFilesPresent(), "");
}

TEST_F(PatchRun, ReadOnlyMachineInfStopsTheRun)
{
    const std::string original = ReadBytes(TestData("MACHINE.INF"));
    Write("MACHINE.INF", original);
    ReadOnlyFile readOnly(folder.Inf("MACHINE.INF"));
    if (!readOnly.Active())
        GTEST_SKIP() << "cannot make a file read-only here";

    EXPECT_EQ(PatchInfFiles(), 0);
    EXPECT_EQ(Read("MACHINE.INF"), original);
    EXPECT_EQ(Read("MACHINE.OLD"), original);
    EXPECT_EQ(folder.PatchFilesPresent(), "MACHINE.INF MACHINE.OLD _vadro_.tmp");
}

TEST_F(PatchRun, ReadOnlyBackupStopsTheRun)
{
    const std::string original = ReadBytes(TestData("MACHINE.INF"));
    Write("MACHINE.INF", original);
    Write("MACHINE.OLD", "an older backup\r\n");
    ReadOnlyFile readOnly(folder.Inf("MACHINE.OLD"));
    if (!readOnly.Active())
        GTEST_SKIP() << "cannot make a file read-only here";

    EXPECT_EQ(PatchInfFiles(), 0);
    EXPECT_EQ(Read("MACHINE.INF"), original);
    EXPECT_EQ(Read("MACHINE.OLD"), "an older backup\r\n");
    EXPECT_EQ(folder.PatchFilesPresent(), "MACHINE.INF MACHINE.OLD");
}

// USB.INF cannot be opened for writing: the run fails after the four
// insertions, and the scratch file stays behind.
TEST_F(PatchRun, ReadOnlyUsbInfFailsTheRunAfterTheInsertions)
{
    const std::string original = ReadBytes(TestData("MACHINE.INF"));
    Write("MACHINE.INF", original);
    Write("USB.INF", "the system's own\r\n");
    ReadOnlyFile readOnly(folder.Inf("USB.INF"));
    if (!readOnly.Active())
        GTEST_SKIP() << "cannot make a file read-only here";

    EXPECT_EQ(PatchInfFiles(), 0);
    EXPECT_EQ(Read("MACHINE.INF"), Patched(original, SampleHeaders));
    EXPECT_EQ(Read("MACHINE.OLD"), original);
    EXPECT_EQ(Read("USB.INF"), "the system's own\r\n");
    EXPECT_EQ(folder.PatchFilesPresent(), "MACHINE.INF MACHINE.OLD _vadro_.tmp USB.INF");
}

#ifndef _WIN32

// A file of the run that is a link to /dev/full: it opens, takes its bytes
// into the stream buffer and fails when they are flushed.
struct FullFileCase {
    const char* file;
    bool machineInfPatched;
};

// Test names and listings show the case by its name.
void PrintTo(const FullFileCase& c, std::ostream* os)
{
    *os << c.file;
}

class PatchRunOnFullFile : public PatchRun, public testing::WithParamInterface<FullFileCase>
{
};

TEST_P(PatchRunOnFullFile, Fails)
{
    const std::string original = ReadBytes(TestData("MACHINE.INF"));
    Write("MACHINE.INF", original);
    fs::create_symlink("/dev/full", folder.Inf(GetParam().file));

    EXPECT_EQ(PatchInfFiles(), 0);
    EXPECT_EQ(Read("MACHINE.INF"),
              GetParam().machineInfPatched ? Patched(original, SampleHeaders) : original);
}

INSTANTIATE_TEST_SUITE_P(Files, PatchRunOnFullFile,
                         testing::Values(FullFileCase{"MACHINE.OLD", false},
                                         FullFileCase{"_vadro_.tmp", false},
                                         FullFileCase{"USB.INF", true}),
                         [](const testing::TestParamInfo<FullFileCase>& p) {
                             std::string name = p.param.file;
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

// Makes a folder the current one for the length of a test.
class CurrentFolder
{
public:
    explicit CurrentFolder(const fs::path& path) : previous_(fs::current_path())
    {
        fs::current_path(path);
    }
    ~CurrentFolder() { fs::current_path(previous_); }

private:
    fs::path previous_;
};

std::string Listing(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string listing;
    for (const std::string& name : names)
        listing += (listing.empty() ? "" : " ") + name;
    return listing;
}

// Without WINDIR the query fails and the run works beneath the initial
// C:\WINDOWS, which the host opens as the relative path C:/WINDOWS/INF/...
TEST(PatchRunWithoutWindowsDirectory, WorksBeneathCWindows)
{
    TempDir dir;
    CurrentFolder current(dir.Path());
    unsetenv("WINDIR");
    std::strcpy(WindowsDirectory, "C:\\WINDOWS");
    const fs::path inf = dir.Path() / "C:" / "WINDOWS" / "INF";
    fs::create_directories(inf);
    const std::string original = ReadBytes(TestData("MACHINE.INF"));
    WriteBytes(inf / "MACHINE.INF", original);

    EXPECT_EQ(PatchInfFiles(), 1);
    EXPECT_STREQ(WindowsDirectory, "C:\\WINDOWS");
    EXPECT_EQ(ReadBytes(inf / "MACHINE.INF"), Patched(original, SampleHeaders));
    EXPECT_EQ(Listing(inf), "MACHINE.INF MACHINE.OLD USB.INF");
}

// "%s\INF\MACHINE.INF" fits 128 bytes for a Windows directory of up to 111
// characters. Longer ones are refused with nothing written, neither in that
// folder nor in the C:\WINDOWS that the buffer held before the query.
struct DirectoryCase {
    const char* name;
    size_t length;
    int result;
};

void PrintTo(const DirectoryCase& c, std::ostream* os)
{
    *os << c.name;
}

class PatchRunWindowsDirectoryLength : public testing::TestWithParam<DirectoryCase>
{
};

TEST_P(PatchRunWindowsDirectoryLength, LongDirectoriesAreRefused)
{
    TempDir dir;
    CurrentFolder current(dir.Path());
    std::strcpy(WindowsDirectory, "C:\\WINDOWS");
    const std::string sample = "[MS_SYS]\r\nold\r\n";
    const fs::path fallback = dir.Path() / "C:" / "WINDOWS" / "INF";
    fs::create_directories(fallback);
    WriteBytes(fallback / "MACHINE.INF", sample);

    std::string windows = dir.Path().string() + "/";
    ASSERT_LT(windows.size(), GetParam().length);
    windows += std::string(GetParam().length - windows.size(), 'w');
    const fs::path inf = fs::path(windows) / "INF";
    fs::create_directories(inf);
    WriteBytes(inf / "MACHINE.INF", sample);
    setenv("WINDIR", windows.c_str(), 1);

    EXPECT_EQ(PatchInfFiles(), GetParam().result);
    unsetenv("WINDIR");
    EXPECT_EQ(Listing(inf), GetParam().result ? "MACHINE.INF MACHINE.OLD USB.INF" : "MACHINE.INF");
    EXPECT_EQ(ReadBytes(inf / "MACHINE.INF"),
              GetParam().result ? Patched(sample, {"[MS_SYS]", 0, 0, 0}) : sample);
    EXPECT_EQ(Listing(fallback), "MACHINE.INF");
    EXPECT_EQ(ReadBytes(fallback / "MACHINE.INF"), sample);
}

INSTANTIATE_TEST_SUITE_P(Lengths, PatchRunWindowsDirectoryLength,
                         testing::Values(DirectoryCase{"LongestThatFits", 111, 1},
                                         DirectoryCase{"TooLongForThePaths", 112, 0},
                                         DirectoryCase{"TooLongForTheBuffer", 200, 0}),
                         [](const testing::TestParamInfo<DirectoryCase>& p) {
                             return std::string(p.param.name);
                         });

// The disk fills up while MACHINE.INF is rewritten with its first insertion:
// the run must fail rather than report success, and must not leave the
// truncated file behind.
TEST(PatchRunOnAFullDisk, FailsWhenMachineInfCannotBeRewritten)
{
    TempDir dir;
    const fs::path windows = dir.Path() / "windows";
    fs::create_directory(windows);
    if (mount("tmpfs", windows.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    struct Unmount {
        const fs::path& path;
        ~Unmount() { umount2(path.c_str(), MNT_DETACH); }
    } unmount{windows};
    const fs::path inf = windows / "INF";
    fs::create_directory(inf);
    setenv("WINDIR", windows.c_str(), 1);

    struct statvfs space;
    ASSERT_EQ(statvfs(windows.c_str(), &space), 0);
    const size_t block = space.f_frsize;
    // Two blocks less a little: the three MS_SYS lines make it three.
    std::string original = "[MS_SYS]\r\nold\r\n";
    while (original.size() < 2 * block - 100)
        original += "; filler\r\n";
    original.resize(2 * block - 100);
    WriteBytes(inf / "MACHINE.INF", original);
    // Room for the backup and the scratch copy, and for nothing more.
    ASSERT_EQ(statvfs(windows.c_str(), &space), 0);
    ASSERT_GE(space.f_bavail, 4u);
    WriteBytes(windows / "filler", std::string((space.f_bavail - 4) * block, 'f'));

    EXPECT_EQ(PatchInfFiles(), 0);
    unsetenv("WINDIR");
    EXPECT_EQ(ReadBytes(inf / "MACHINE.OLD"), original);
    // The half-written MACHINE.INF was put back from the scratch copy.
    EXPECT_EQ(ReadBytes(inf / "MACHINE.INF"), original);
    EXPECT_FALSE(fs::exists(inf / "USB.INF"));
}

#endif

} // namespace
