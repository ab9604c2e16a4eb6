// Host build: control over the in-memory registry that stands in for the
// Win32 registry functions (registry.cpp). It behaves like Windows NT's: key
// names compare without regard to case, paths are '\'-separated, and
// RegDeleteKeyA refuses a key that still has subkeys with
// ERROR_ACCESS_DENIED. Every Reg* call is appended to the common call log
// (call_log.h). Only HKEY_LOCAL_MACHINE exists; paths here lie beneath it.
#ifndef MORVANE_PLATFORM_HOST_HOST_REGISTRY_H
#define MORVANE_PLATFORM_HOST_HOST_REGISTRY_H

#include <cstddef>
#include <string>
#include <vector>

namespace host
{

// Back to an empty HKEY_LOCAL_MACHINE: every key and handle gone, handle
// numbers starting again from 0x1000. Does not clear the call log.
void RegistryReset();

// Creates the key at path with any missing keys above it.
void RegistryAddKey(const std::string& path);

// Creates the key at path as RegistryAddKey does and sets a string value in it.
void RegistrySetValue(const std::string& path, const std::string& name, const std::string& data);

// Creates the key at path as RegistryAddKey does and makes RegDeleteKeyA
// refuse it with ERROR_ACCESS_DENIED even when it has no subkeys, as a key
// protected by its access rights would.
void RegistryProtectKey(const std::string& path);

bool RegistryHasKey(const std::string& path);

// Every key and value, one a line, depth first with siblings in the
// registry's order: keys as their path, values as `path [name] = data`.
std::vector<std::string> RegistryDump();

// Handles that RegCreateKeyExA or RegOpenKeyExA gave out and that were not
// yet closed.
std::size_t RegistryOpenHandles();

} // namespace host

#endif
