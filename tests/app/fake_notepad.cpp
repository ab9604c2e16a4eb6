// A stand-in for the system's text editor, started by the launch tests under
// Wine. It appends its own file name, its command line and its current
// folder to the file named by MORVANE_FAKE_EDITOR_LOG, stays running for a
// moment (MORVANE_FAKE_EDITOR_MS milliseconds, 1000 if unset), and appends
// "ended" just before it exits, so a test can tell whether its caller
// waited.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace
{

std::string Variable(const char* name)
{
    char value[1024];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    if (length == 0 || length >= sizeof value)
        return "";
    return std::string(value, length);
}

void Append(const std::string& logPath, const std::string& line)
{
    const HANDLE file = CreateFileA(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace

int main()
{
    const std::string logPath = Variable("MORVANE_FAKE_EDITOR_LOG");
    if (logPath.empty())
        return 2;
    char module[MAX_PATH];
    const DWORD moduleLength = GetModuleFileNameA(nullptr, module, MAX_PATH);
    char folder[MAX_PATH];
    const DWORD folderLength = GetCurrentDirectoryA(MAX_PATH, folder);
    Append(logPath, "module=" + std::string(module, moduleLength < MAX_PATH ? moduleLength : 0));
    Append(logPath, std::string("command=") + GetCommandLineA());
    Append(logPath, "folder=" + std::string(folder, folderLength < MAX_PATH ? folderLength : 0));
    const std::string delay = Variable("MORVANE_FAKE_EDITOR_MS");
    Sleep(delay.empty() ? 1000 : static_cast<DWORD>(std::atoi(delay.c_str())));
    Append(logPath, "ended");
    return 0;
}
