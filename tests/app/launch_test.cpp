// Where LaunchAndWait looks for the program and how it starts and waits for
// it, over the host's simulated current folder, PATH and files.
#include "app/launch.h"

#include "platform/host/call_log.h"
#include "platform/win32_api.h"
#include "platform/host/host_shell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct SearchCase {
    const char* name;
    std::string currentFolder; // empty: GetCurrentDirectoryA fails
    std::string path;          // NoPath: no PATH variable at all
    std::vector<std::string> files;
    std::vector<std::string> directories;
    std::vector<std::string> probes; // GetFileAttributesA, in order
    std::string started;             // empty: nothing is started
};

const char* const NoPath = "<unset>";

std::string Repeat(char c, size_t count)
{
    return std::string(count, c);
}

// "C:\" and a folder name that make a folder path of `length` characters.
std::string FolderOfLength(size_t length)
{
    return "C:\\" + Repeat('A', length - 3);
}

std::string Started(const std::string& path)
{
    return "CreateProcessA(\"" + path +
           "\", \"notepad.exe readme.txt\", null, null, 0, 0, null, null, startup)";
}

class LaunchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host::ShellReset();
        host::CallLogClear();
    }
};

TEST_F(LaunchTest, SearchesCurrentFolderThenPathInOrder)
{
    // 247 + "\notepad.exe" is 259 characters, the most MAX_PATH holds.
    const std::string fits = FolderOfLength(247);
    const std::string tooLong = FolderOfLength(248);
    // What a search that cut the name to fit MAX_PATH would find and start.
    const std::string cutShort = (tooLong + "\\notepad.exe").substr(0, MAX_PATH - 1);
    const std::string hugePath = "C:\\WINDOWS;" + Repeat('B', 40000);
    const std::vector<SearchCase> cases = {
        {"current folder wins over PATH",
         "C:\\INSTALL",
         "C:\\WINDOWS",
         {"C:\\INSTALL\\notepad.exe", "C:\\WINDOWS\\notepad.exe"},
         {},
         {"C:\\INSTALL\\notepad.exe"},
         "C:\\INSTALL\\notepad.exe"},
        {"PATH folders in turn, the first found wins",
         "C:\\INSTALL",
         "C:\\TOOLS;C:\\WINDOWS\\COMMAND;C:\\WINDOWS;C:\\LATER",
         {"C:\\WINDOWS\\NOTEPAD.EXE", "C:\\LATER\\notepad.exe"},
         {},
         {"C:\\INSTALL\\notepad.exe", "C:\\TOOLS\\notepad.exe", "C:\\WINDOWS\\COMMAND\\notepad.exe",
          "C:\\WINDOWS\\notepad.exe"},
         "C:\\WINDOWS\\notepad.exe"},
        {"found nowhere",
         "C:\\INSTALL",
         "C:\\WINDOWS;C:\\TOOLS",
         {"C:\\INSTALL\\readme.txt"},
         {},
         {"C:\\INSTALL\\notepad.exe", "C:\\WINDOWS\\notepad.exe", "C:\\TOOLS\\notepad.exe"},
         ""},
        {"folders named notepad.exe are passed over",
         "C:\\INSTALL",
         "C:\\TOOLS;C:\\WINDOWS",
         {"C:\\WINDOWS\\notepad.exe"},
         {"C:\\INSTALL\\notepad.exe", "C:\\TOOLS\\NOTEPAD.EXE"},
         {"C:\\INSTALL\\notepad.exe", "C:\\TOOLS\\notepad.exe", "C:\\WINDOWS\\notepad.exe"},
         "C:\\WINDOWS\\notepad.exe"},
        {"a PATH folder one character too long is skipped, not cut short",
         "C:\\INSTALL",
         tooLong + ";C:\\WINDOWS",
         {cutShort, "C:\\WINDOWS\\notepad.exe"},
         {},
         {"C:\\INSTALL\\notepad.exe", "C:\\WINDOWS\\notepad.exe"},
         "C:\\WINDOWS\\notepad.exe"},
        {"a PATH folder that just fits is used",
         "C:\\INSTALL",
         fits,
         {fits + "\\notepad.exe"},
         {},
         {"C:\\INSTALL\\notepad.exe", fits + "\\notepad.exe"},
         fits + "\\notepad.exe"},
        {"empty PATH entries are skipped, roots and trailing backslashes joined once",
         "C:\\",
         ";C:\\TOOLS\\;;C:\\WINDOWS;",
         {"C:\\WINDOWS\\notepad.exe"},
         {},
         {"C:\\notepad.exe", "C:\\TOOLS\\notepad.exe", "C:\\WINDOWS\\notepad.exe"},
         "C:\\WINDOWS\\notepad.exe"},
        {"no PATH variable: the current folder only",
         "C:\\INSTALL",
         NoPath,
         {"C:\\WINDOWS\\notepad.exe"},
         {},
         {"C:\\INSTALL\\notepad.exe"},
         ""},
        {"current folder query fails: PATH only",
         "",
         "C:\\WINDOWS",
         {"C:\\WINDOWS\\notepad.exe"},
         {},
         {"C:\\WINDOWS\\notepad.exe"},
         "C:\\WINDOWS\\notepad.exe"},
        {"current folder longer than MAX_PATH: PATH only",
         FolderOfLength(300),
         "C:\\WINDOWS",
         {"C:\\WINDOWS\\notepad.exe"},
         {},
         {"C:\\WINDOWS\\notepad.exe"},
         "C:\\WINDOWS\\notepad.exe"},
        {"current folder fits but its file name would not: PATH only",
         FolderOfLength(250),
         "C:\\WINDOWS",
         {FolderOfLength(250) + "\\notepad.exe", "C:\\WINDOWS\\notepad.exe"},
         {},
         {"C:\\WINDOWS\\notepad.exe"},
         "C:\\WINDOWS\\notepad.exe"},
        {"a PATH longer than any variable can be is not searched",
         "C:\\INSTALL",
         hugePath,
         {"C:\\WINDOWS\\notepad.exe"},
         {},
         {"C:\\INSTALL\\notepad.exe"},
         ""},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        host::ShellReset();
        host::CallLogClear();
        host::ShellSetCurrentDirectory(c.currentFolder);
        if (c.path != NoPath)
            host::ShellSetEnvironment("Path", c.path);
        for (const std::string& file : c.files)
            host::ShellAddFile(file);
        for (const std::string& directory : c.directories)
            host::ShellAddDirectory(directory);

        const int result = LaunchAndWait("notepad.exe", "readme.txt");

        std::vector<std::string> expected;
        for (const std::string& probe : c.probes)
            expected.push_back("GetFileAttributesA(\"" + probe + "\")");
        if (!c.started.empty())
            expected.push_back(Started(c.started));
        EXPECT_EQ(host::CallLogOf({"GetFileAttributesA", "CreateProcessA"}), expected);
        EXPECT_EQ(result, c.started.empty() ? 0 : 1);
    }
}

TEST_F(LaunchTest, StartsWithInheritedFolderWaitsAndClosesBothHandles)
{
    host::ShellSetCurrentDirectory("C:\\INSTALL");
    host::ShellAddFile("C:\\INSTALL\\notepad.exe");

    EXPECT_EQ(LaunchAndWait("notepad.exe", "readme.txt"), 1);

    const std::vector<std::string> expected = {
        Started("C:\\INSTALL\\notepad.exe"),
        "WaitForSingleObject(process, INFINITE)",
        "CloseHandle(thread)",
        "CloseHandle(process)",
    };
    EXPECT_EQ(host::CallLogOf({"CreateProcessA", "WaitForSingleObject", "CloseHandle"}), expected);
}

TEST_F(LaunchTest, FailedStartReturnsAtOnceWithoutTryingFurtherCopies)
{
    host::ShellSetCurrentDirectory("C:\\INSTALL");
    host::ShellSetEnvironment("PATH", "C:\\WINDOWS");
    host::ShellAddFile("C:\\INSTALL\\notepad.exe");
    host::ShellAddFile("C:\\WINDOWS\\notepad.exe");
    host::ShellSetCreateProcessResult(false);

    EXPECT_EQ(LaunchAndWait("notepad.exe", "readme.txt"), 0);

    const std::vector<std::string> expected = {
        "GetFileAttributesA(\"C:\\INSTALL\\notepad.exe\")",
        Started("C:\\INSTALL\\notepad.exe"),
    };
    EXPECT_EQ(host::CallLogOf(
                  {"GetFileAttributesA", "CreateProcessA", "WaitForSingleObject", "CloseHandle"}),
              expected);
}

} // namespace
