// Host build: recording stand-ins for the message boxes, the restart
// request, the program launch and its helpers (current folder, environment,
// file attributes), and the common call log that every recording stand-in
// of this folder appends to. Nothing here touches the real system: the
// folder, the variables and the files the launch looks at are a small
// simulated system that tests set up through host_shell.h.
#include "platform/host/call_log.h"
#include "platform/host/host_shell.h"
#include "platform/host/host_text.h"
#include "platform/host/win32_subset.h"

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace host
{

namespace
{

std::vector<std::string>& Entries()
{
    static std::vector<std::string> entries;
    return entries;
}

std::function<void(const std::string&)>& Observer()
{
    static std::function<void(const std::string&)> observer;
    return observer;
}

struct Shell {
    std::string currentDirectory = "C:\\";
    std::map<std::string, std::string> environment; // folded name -> value
    std::map<std::string, DWORD> files;             // folded path -> attributes
    bool createProcessSucceeds = true;
    std::set<void*> openHandles;
};

Shell& State()
{
    static Shell shell;
    return shell;
}

// Distinct addresses that stand for the launched process and its thread.
char processObject;
char threadObject;

std::string HandleName(HANDLE handle)
{
    if (handle == &processObject)
        return "process";
    if (handle == &threadObject)
        return "thread";
    return CallLogHex(handle);
}

// The Win32 convention for a string result: the length without the zero
// when it fits, else the size needed with the zero. A buffer that is too
// small is filled with non-zero bytes and left unterminated, so a caller
// that uses it anyway reads garbage instead of a plausible truncated text.
DWORD CopyOut(const std::string& value, LPSTR buffer, DWORD size)
{
    if (value.size() < size) {
        memcpy(buffer, value.c_str(), value.size() + 1);
        return static_cast<DWORD>(value.size());
    }
    if (buffer != nullptr && size > 0)
        memset(buffer, 'Z', size);
    return static_cast<DWORD>(value.size() + 1);
}

} // namespace

void CallLogAppend(const std::string& entry)
{
    Entries().push_back(entry);
    if (Observer())
        Observer()(entry);
}

const std::vector<std::string>& CallLog()
{
    return Entries();
}

void CallLogClear()
{
    Entries().clear();
    Observer() = nullptr;
}

void CallLogObserve(std::function<void(const std::string&)> observer)
{
    Observer() = std::move(observer);
}

std::vector<std::string> CallLogOf(const std::vector<std::string>& functions)
{
    std::vector<std::string> selected;
    for (const std::string& entry : Entries()) {
        const std::string name = entry.substr(0, entry.find('('));
        if (std::find(functions.begin(), functions.end(), name) != functions.end())
            selected.push_back(entry);
    }
    return selected;
}

std::string CallLogString(const char* text)
{
    if (text == nullptr)
        return "null";
    return std::string("\"") + text + "\"";
}

std::string CallLogHex(const void* value)
{
    if (value == nullptr)
        return "null";
    char text[2 + 2 * sizeof(uintptr_t) + 1];
    snprintf(text, sizeof text, "0x%llx",
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(value)));
    return text;
}

void ShellReset()
{
    State() = Shell();
}

void ShellSetCurrentDirectory(const std::string& folder)
{
    State().currentDirectory = folder;
}

void ShellSetEnvironment(const std::string& name, const std::string& value)
{
    State().environment[Folded(name)] = value;
}

void ShellAddFile(const std::string& path)
{
    State().files[Folded(path)] = 0x20;
}

void ShellAddDirectory(const std::string& path)
{
    State().files[Folded(path)] = FILE_ATTRIBUTE_DIRECTORY;
}

void ShellSetCreateProcessResult(bool succeeds)
{
    State().createProcessSucceeds = succeeds;
}

} // namespace host

using host::CallLogAppend;
using host::CallLogHex;
using host::CallLogString;

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    CallLogAppend("MessageBoxA(" + CallLogHex(hWnd) + ", " + CallLogString(lpText) + ", " +
                  CallLogString(lpCaption) + ", " + std::to_string(uType) + ")");
    return IDOK;
}

BOOL ExitWindowsEx(UINT uFlags, DWORD dwReason)
{
    CallLogAppend("ExitWindowsEx(" + std::to_string(uFlags) + ", " + std::to_string(dwReason) +
                  ")");
    return TRUE;
}

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer)
{
    CallLogAppend("GetCurrentDirectoryA(" + std::to_string(nBufferLength) + ")");
    const std::string& folder = host::State().currentDirectory;
    if (folder.empty())
        return 0;
    return host::CopyOut(folder, lpBuffer, nBufferLength);
}

DWORD GetEnvironmentVariableA(LPCSTR lpName, LPSTR lpBuffer, DWORD nSize)
{
    CallLogAppend("GetEnvironmentVariableA(" + CallLogString(lpName) + ", " +
                  std::to_string(nSize) + ")");
    const auto& environment = host::State().environment;
    const auto found = environment.find(host::Folded(lpName));
    if (found == environment.end())
        return 0;
    return host::CopyOut(found->second, lpBuffer, nSize);
}

DWORD GetFileAttributesA(LPCSTR lpFileName)
{
    CallLogAppend("GetFileAttributesA(" + CallLogString(lpFileName) + ")");
    const auto& files = host::State().files;
    const auto found = files.find(host::Folded(lpFileName));
    if (found == files.end())
        return INVALID_FILE_ATTRIBUTES;
    return found->second;
}

BOOL CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine,
                    LPSECURITY_ATTRIBUTES lpProcessAttributes,
                    LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles,
                    DWORD dwCreationFlags, LPVOID lpEnvironment, LPCSTR lpCurrentDirectory,
                    LPSTARTUPINFOA lpStartupInfo, LPPROCESS_INFORMATION lpProcessInformation)
{
    // The real call needs a STARTUPINFOA whose size field is set and a place
    // for the handles; without them it fails or writes through a bad pointer.
    const bool startupValid = lpStartupInfo != nullptr && lpStartupInfo->cb == sizeof(STARTUPINFOA);
    CallLogAppend("CreateProcessA(" + CallLogString(lpApplicationName) + ", " +
                  CallLogString(lpCommandLine) + ", " + CallLogHex(lpProcessAttributes) + ", " +
                  CallLogHex(lpThreadAttributes) + ", " + std::to_string(bInheritHandles) + ", " +
                  std::to_string(dwCreationFlags) + ", " + CallLogHex(lpEnvironment) + ", " +
                  CallLogString(lpCurrentDirectory) + ", " +
                  (startupValid ? "startup" : "bad startup") + ")");
    if (!startupValid || lpProcessInformation == nullptr || !host::State().createProcessSucceeds)
        return FALSE;
    lpProcessInformation->hProcess = &host::processObject;
    lpProcessInformation->hThread = &host::threadObject;
    lpProcessInformation->dwProcessId = 100;
    lpProcessInformation->dwThreadId = 104;
    host::State().openHandles.insert(&host::processObject);
    host::State().openHandles.insert(&host::threadObject);
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    const std::string timeout =
        dwMilliseconds == INFINITE ? std::string("INFINITE") : std::to_string(dwMilliseconds);
    CallLogAppend("WaitForSingleObject(" + host::HandleName(hHandle) + ", " + timeout + ")");
    if (host::State().openHandles.count(hHandle) == 0)
        return WAIT_FAILED;
    return WAIT_OBJECT_0;
}

BOOL CloseHandle(HANDLE hObject)
{
    const bool open = host::State().openHandles.erase(hObject) > 0;
    CallLogAppend("CloseHandle(" + host::HandleName(hObject) + (open ? "" : ", not open") + ")");
    return open ? TRUE : FALSE;
}
