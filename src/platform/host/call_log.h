// Host build: one ordered record of the Win32 calls made by the code under
// test. Every recording stand-in in this folder appends to it, so a test can
// check the order of calls across the registry, the program launch, the
// message boxes and the restart request.
#ifndef MORVANE_PLATFORM_HOST_CALL_LOG_H
#define MORVANE_PLATFORM_HOST_CALL_LOG_H

#include <functional>
#include <string>
#include <vector>

namespace host
{

// Appends one entry. Stand-ins write `Function(arg, arg, ...)`, strings in
// double quotes, numbers in decimal, handles and windows in hexadecimal.
void CallLogAppend(const std::string& entry);

// The entries since the last CallLogClear, oldest first.
const std::vector<std::string>& CallLog();

void CallLogClear();

// Called with every entry as it is appended, before the call it records
// goes on: lets a test look at the state of the world at that moment (for
// instance, which files exist when the first registry call is made). An
// empty function removes the observer; CallLogClear does too. The observer
// must not itself call a recording stand-in.
void CallLogObserve(std::function<void(const std::string&)> observer);

// The entries whose function name is one of `functions`, oldest first.
std::vector<std::string> CallLogOf(const std::vector<std::string>& functions);

// Helpers for writing entries: a quoted string ("null" for a null pointer)
// and a pointer-sized value in hexadecimal.
std::string CallLogString(const char* text);
std::string CallLogHex(const void* value);

} // namespace host

#endif
