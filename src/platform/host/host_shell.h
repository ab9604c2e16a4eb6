// Host build: control over the recording stand-ins for the message boxes,
// the restart request, the program launch and the current folder, PATH and
// file attribute queries that the launch uses. The stand-ins append every
// call to the common call log (call_log.h) and otherwise act on the small
// simulated system set up here.
#ifndef MORVANE_PLATFORM_HOST_HOST_SHELL_H
#define MORVANE_PLATFORM_HOST_HOST_SHELL_H

#include <string>

namespace host
{

// Back to the initial state: current folder "C:\", no environment
// variables, no files, every call succeeding. Does not clear the call log.
void ShellReset();

// The folder GetCurrentDirectoryA reports; an empty text makes it fail.
void ShellSetCurrentDirectory(const std::string& folder);

// An environment variable as GetEnvironmentVariableA sees it (names
// compare without regard to case).
void ShellSetEnvironment(const std::string& name, const std::string& value);

// Entries for GetFileAttributesA: a file or a folder at a full path (paths
// compare without regard to case). Anything else does not exist.
void ShellAddFile(const std::string& path);
void ShellAddDirectory(const std::string& path);

// Whether CreateProcessA succeeds (it does after ShellReset). A started
// program's handles appear in the log as "process" and "thread".
void ShellSetCreateProcessResult(bool succeeds);

} // namespace host

#endif
