// The order of what OK sets off, over the host's stand-ins: the real INF
// patch on a temporary Windows folder, the real key removal on the in-memory
// registry, and the recorded launch, message boxes and restart request.
#include "app/confirm_sequence.h"

#include "platform/host/call_log.h"
#include "platform/host/host_registry.h"
#include "platform/host/host_shell.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

const HWND Owner = reinterpret_cast<HWND>(0x1234);

const char* const Branches[] = {
    "Enum\\PCI\\VEN_1106&DEV_0586",
    "Enum\\PCI\\VEN_1106&DEV_1595",
    "Enum\\PCI\\VEN_1106&DEV_3038",
    "Enum\\PCI\\VEN_1106&DEV_3040",
};
const char* const Sibling = "Enum\\PCI\\VEN_8086&DEV_7000";

const std::string ErrorBox = "MessageBoxA(0x1234, \"Patching Error\", \"Error\", 0)";
const std::string SuccessBox =
    "MessageBoxA(0x1234, \"PIIX4 Successfully patched, Press the button to Reboot\", "
    "\"Message\", 0)";
const std::string Restart = "ExitWindowsEx(2, 0)";

// One run's world: a temporary Windows folder with an empty INF folder, the
// four branches and a sibling in the registry, the editor's search folders
// set and every recording cleared. Undone when it goes out of scope.
class Rig
{
public:
    Rig()
    {
        char pattern[] = "/tmp/morvane-sequence-XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            ADD_FAILURE() << "no temporary folder";
        windows_ = pattern;
        fs::create_directory(windows_ / "INF");
        setenv("WINDIR", windows_.c_str(), 1);

        host::ShellReset();
        host::RegistryReset();
        host::CallLogClear();
        host::ShellSetCurrentDirectory("C:\\INSTALL");
        host::ShellSetEnvironment("PATH", "C:\\WINDOWS;C:\\WINDOWS\\COMMAND");
        // Leaf branches: on the host registry each goes with one deletion,
        // as every branch does on Windows 95.
        for (const char* branch : Branches)
            host::RegistrySetValue(branch, "Class", "System");
        host::RegistryAddKey(Sibling);
    }

    ~Rig()
    {
        unsetenv("WINDIR");
        host::CallLogClear();
        std::error_code ignored;
        fs::remove_all(windows_, ignored);
    }

    void WriteMachineInf()
    {
        std::ofstream(windows_ / "INF" / "MACHINE.INF", std::ios::binary)
            << "[Version]\r\nSignature=\"$CHICAGO$\"\r\n\r\n[MS_SYS]\r\n\r\n[Strings]\r\n";
    }

    bool InInfFolder(const char* name) const { return fs::exists(windows_ / "INF" / name); }

private:
    fs::path windows_;
};

// The calls that make up the run, the handles of opened registry keys
// replaced by "key" (their values are the stand-in's business).
std::vector<std::string> RunCalls()
{
    std::vector<std::string> calls =
        host::CallLogOf({"RegCreateKeyExA", "RegDeleteKeyA", "RegCloseKey", "CreateProcessA",
                         "WaitForSingleObject", "CloseHandle", "MessageBoxA", "ExitWindowsEx"});
    const std::regex handle("^(RegDeleteKeyA|RegCloseKey)\\(0x[0-9a-f]+");
    for (std::string& call : calls)
        call = std::regex_replace(call, handle, "$1(key");
    return calls;
}

TEST(ConfirmationSequence, FailedPatchShowsOnlyTheErrorAndARetryRunsInFull)
{
    Rig rig;
    host::ShellAddFile("C:\\WINDOWS\\notepad.exe");

    // No MACHINE.INF: the patch fails at its first copy.
    EXPECT_EQ(RunConfirmationSequence(Owner), 0);

    EXPECT_EQ(host::CallLog(), std::vector<std::string>({ErrorBox}));
    for (const char* branch : Branches)
        EXPECT_TRUE(host::RegistryHasKey(branch)) << branch;

    // The dialog stayed open; OK again is a complete new run.
    rig.WriteMachineInf();
    host::CallLogClear();
    EXPECT_EQ(RunConfirmationSequence(Owner), 1);
    EXPECT_TRUE(rig.InInfFolder("MACHINE.OLD"));
    const std::vector<std::string> tail = {SuccessBox, Restart};
    EXPECT_EQ(host::CallLogOf({"MessageBoxA", "ExitWindowsEx"}), tail);
}

TEST(ConfirmationSequence, SuccessRemovesKeysShowsReadmeReportsThenRestarts)
{
    struct LaunchCase {
        const char* name;
        bool editorOnPath;
        bool startSucceeds;
        std::vector<std::string> launchCalls;
    };
    const std::string start = "CreateProcessA(\"C:\\WINDOWS\\notepad.exe\", \"notepad.exe "
                              "readme.txt\", null, null, 0, 0, null, null, startup)";
    const std::vector<LaunchCase> cases = {
        {"editor found and waited for",
         true,
         true,
         {start, "WaitForSingleObject(process, INFINITE)", "CloseHandle(thread)",
          "CloseHandle(process)"}},
        {"no editor anywhere: the message follows directly", false, true, {}},
        {"editor fails to start: the message follows directly", true, false, {start}},
    };
    for (const LaunchCase& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.WriteMachineInf();
        if (c.editorOnPath)
            host::ShellAddFile("C:\\WINDOWS\\notepad.exe");
        host::ShellSetCreateProcessResult(c.startSucceeds);
        // The patch leaves no trace in the call log: it must be complete
        // (USB.INF written, scratch file gone) when the registry work begins.
        bool patchedBeforeRegistry = false;
        bool sawRegistry = false;
        host::CallLogObserve([&](const std::string& entry) {
            if (!sawRegistry && entry.rfind("Reg", 0) == 0) {
                sawRegistry = true;
                patchedBeforeRegistry =
                    rig.InInfFolder("USB.INF") && !rig.InInfFolder("_vadro_.tmp");
            }
        });

        EXPECT_EQ(RunConfirmationSequence(Owner), 1);

        std::vector<std::string> expected;
        for (const char* branch : Branches) {
            expected.push_back("RegCreateKeyExA(0x80000002, \"Enum\", 0, null, 1, 983103, null, "
                               "key, disposition)");
            // The branch path relative to the opened "Enum" key.
            expected.push_back("RegDeleteKeyA(key, \"" + std::string(branch + 5) + "\")");
            expected.push_back("RegCloseKey(key)");
        }
        expected.insert(expected.end(), c.launchCalls.begin(), c.launchCalls.end());
        expected.push_back(SuccessBox);
        expected.push_back(Restart);
        EXPECT_EQ(RunCalls(), expected);
        EXPECT_TRUE(patchedBeforeRegistry);
        for (const char* branch : Branches)
            EXPECT_FALSE(host::RegistryHasKey(branch)) << branch;
        EXPECT_TRUE(host::RegistryHasKey(Sibling));
    }
}

} // namespace
