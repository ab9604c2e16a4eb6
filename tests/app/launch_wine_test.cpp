// LaunchAndWait on a real Windows process layer (run under Wine): which copy
// of the editor it starts, what that program is given, and that the call
// returns only after the program has ended. The editor is our
// fake_notepad.exe, copied as notepad.exe into folders of a throwaway tree.
#include "app/launch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace
{

std::string Lower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string ModuleFolder()
{
    char module[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path(module, length);
    return path.substr(0, path.find_last_of('\\'));
}

std::string ReadText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class LaunchUnderWindows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        root_ = std::string(temp) + "morvane-launch-" + std::to_string(GetCurrentProcessId());
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
        for (const char* folder : {"", "\\here", "\\first", "\\second", "\\empty"})
            ASSERT_TRUE(CreateDirectoryA((root_ + folder).c_str(), nullptr)) << root_ + folder;
        log_ = root_ + "\\editor.log";

        char saved[MAX_PATH];
        ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, saved), 0u);
        savedFolder_ = saved;
        char path[32768];
        const DWORD length = GetEnvironmentVariableA("PATH", path, sizeof path);
        savedPath_ = std::string(path, length < sizeof path ? length : 0);

        ASSERT_TRUE(SetEnvironmentVariableA("MORVANE_FAKE_EDITOR_LOG", log_.c_str()));
        ASSERT_TRUE(SetEnvironmentVariableA("MORVANE_FAKE_EDITOR_MS", "1000"));
        ASSERT_TRUE(SetCurrentDirectoryA(Folder("here").c_str()));
    }

    void TearDown() override
    {
        SetCurrentDirectoryA(savedFolder_.c_str());
        SetEnvironmentVariableA("PATH", savedPath_.c_str());
        SetEnvironmentVariableA("MORVANE_FAKE_EDITOR_LOG", nullptr);
        SetEnvironmentVariableA("MORVANE_FAKE_EDITOR_MS", nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    std::string Folder(const char* name) const { return root_ + "\\" + name; }

    void PlaceEditor(const char* folder)
    {
        const std::string fake = ModuleFolder() + "\\fake_notepad.exe";
        const std::string copy = Folder(folder) + "\\notepad.exe";
        ASSERT_TRUE(CopyFileA(fake.c_str(), copy.c_str(), TRUE)) << fake << " -> " << copy;
    }

    void SetSearchPath(const std::string& path)
    {
        ASSERT_TRUE(SetEnvironmentVariableA("PATH", path.c_str()));
    }

    // What the started editor recorded; expects exactly one run.
    std::string ExpectedRecord(const char* editorFolder) const
    {
        return Lower("module=" + Folder(editorFolder) + "\\notepad.exe\r\n" +
                     "command=notepad.exe readme.txt\r\n" + "folder=" + Folder("here") + "\r\n" +
                     "ended\r\n");
    }

    std::string root_;
    std::string log_;
    std::string savedFolder_;
    std::string savedPath_;
};

TEST_F(LaunchUnderWindows, CopyInCurrentFolderWinsAndCallWaitsForItsEnd)
{
    PlaceEditor("here");
    PlaceEditor("first");
    SetSearchPath(Folder("first"));

    const DWORD before = GetTickCount();
    EXPECT_EQ(LaunchAndWait("notepad.exe", "readme.txt"), 1);
    const DWORD elapsed = GetTickCount() - before;

    // "ended" is written after the editor's one-second pause: it is there
    // only if the call waited for the program to finish.
    EXPECT_EQ(Lower(ReadText(log_)), ExpectedRecord("here"));
    EXPECT_GE(elapsed, 900u);
}

TEST_F(LaunchUnderWindows, PathFoldersInTurnPassingOverAFolderNamedLikeTheEditor)
{
    ASSERT_TRUE(CreateDirectoryA((Folder("here") + "\\notepad.exe").c_str(), nullptr));
    PlaceEditor("first");
    PlaceEditor("second");
    SetSearchPath(Folder("empty") + ";" + Folder("first") + ";" + Folder("second"));

    EXPECT_EQ(LaunchAndWait("notepad.exe", "readme.txt"), 1);

    EXPECT_EQ(Lower(ReadText(log_)), ExpectedRecord("first"));
}

TEST_F(LaunchUnderWindows, NoEditorAnywhereReturnsAtOnce)
{
    // The system's own notepad.exe sits on the default PATH; leave it out.
    SetSearchPath(Folder("empty"));

    const DWORD before = GetTickCount();
    EXPECT_EQ(LaunchAndWait("notepad.exe", "readme.txt"), 0);
    const DWORD elapsed = GetTickCount() - before;

    EXPECT_EQ(GetFileAttributesA(log_.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_LT(elapsed, 900u);
}

} // namespace
