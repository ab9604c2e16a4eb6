// Host build: an in-memory registry behind the Win32 registry functions that
// the product calls, with the rules of Windows NT's registry that the
// product has to cope with: case-insensitive names, '\'-separated paths, a
// key with subkeys that RegDeleteKeyA refuses (ERROR_ACCESS_DENIED), and
// handles of a deleted key that no longer work (ERROR_KEY_DELETED). Every
// call goes to the common call log; tests set the registry up and look at it
// through host_registry.h.
#include "platform/host/call_log.h"
#include "platform/host/host_registry.h"
#include "platform/host/host_text.h"
#include "platform/host/win32_subset.h"

#include <stdint.h>
#include <string.h>

#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace host
{

namespace
{

const LONG ErrorInvalidParameter = 87;
const LONG ErrorKeyDeleted = 1018;

// Longest name of a single key, as on Windows.
const std::size_t MaxKeyName = 255;

struct Key {
    std::string name;
    Key* parent = nullptr;
    bool deleted = false;
    bool protectedKey = false;
    // Folded name -> subkey or value; std::map keeps the registry's sorted order.
    std::map<std::string, std::shared_ptr<Key>> subkeys;
    std::map<std::string, std::pair<std::string, std::string>> values; // name, data
};

struct Registry {
    std::shared_ptr<Key> root = std::make_shared<Key>();
    // Handles keep their key alive after its deletion, as a handle of a
    // deleted key still exists on Windows (it just fails every request).
    std::map<uintptr_t, std::shared_ptr<Key>> handles;
    uintptr_t nextHandle = 0x1000;
};

Registry& State()
{
    static Registry registry;
    return registry;
}

// Splits a path into its key names; false when a name is empty or too long
// (a leading, trailing or doubled '\'). An empty path has no names.
bool SplitPath(const std::string& path, std::vector<std::string>* names)
{
    names->clear();
    if (path.empty())
        return true;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = path.find('\\', start);
        const std::string name = path.substr(start, end - start);
        if (name.empty() || name.size() > MaxKeyName)
            return false;
        names->push_back(name);
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

// The key a handle stands for: HKEY_LOCAL_MACHINE or one given out here.
std::shared_ptr<Key> KeyOf(HKEY handle)
{
    if (handle == HKEY_LOCAL_MACHINE)
        return State().root;
    const auto found = State().handles.find(reinterpret_cast<uintptr_t>(handle));
    return found == State().handles.end() ? nullptr : found->second;
}

// Looks up path beneath key, creating missing keys when create is set.
// Returns ERROR_SUCCESS with *found set, or an error code.
LONG Walk(const std::shared_ptr<Key>& key, const char* path, bool create,
          std::shared_ptr<Key>* found, bool* created)
{
    if (key == nullptr)
        return ERROR_INVALID_HANDLE;
    if (key->deleted)
        return ErrorKeyDeleted;
    std::vector<std::string> names;
    if (!SplitPath(path == nullptr ? "" : path, &names))
        return ErrorInvalidParameter;
    std::shared_ptr<Key> current = key;
    for (const std::string& name : names) {
        auto& slot = current->subkeys[Folded(name)];
        if (slot == nullptr) {
            if (!create) {
                current->subkeys.erase(Folded(name));
                return ERROR_FILE_NOT_FOUND;
            }
            slot = std::make_shared<Key>();
            slot->name = name;
            slot->parent = current.get();
            if (created != nullptr)
                *created = true;
        }
        current = slot;
    }
    *found = current;
    return ERROR_SUCCESS;
}

HKEY NewHandle(const std::shared_ptr<Key>& key)
{
    const uintptr_t value = State().nextHandle;
    State().nextHandle += 4;
    State().handles[value] = key;
    return reinterpret_cast<HKEY>(value);
}

std::shared_ptr<Key> KeyAt(const std::string& path, bool create)
{
    std::shared_ptr<Key> key;
    if (Walk(State().root, path.c_str(), create, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

void Dump(const Key& key, const std::string& path, std::vector<std::string>* lines)
{
    for (const auto& value : key.values)
        lines->push_back(path + " [" + value.second.first + "] = " + value.second.second);
    for (const auto& subkey : key.subkeys) {
        const std::string subpath =
            path.empty() ? subkey.second->name : path + "\\" + subkey.second->name;
        lines->push_back(subpath);
        Dump(*subkey.second, subpath, lines);
    }
}

std::string Given(const void* pointer, const char* what)
{
    return pointer == nullptr ? std::string("null") : std::string(what);
}

} // namespace

void RegistryReset()
{
    State() = Registry();
}

void RegistryAddKey(const std::string& path)
{
    KeyAt(path, true);
}

void RegistrySetValue(const std::string& path, const std::string& name, const std::string& data)
{
    const std::shared_ptr<Key> key = KeyAt(path, true);
    if (key != nullptr)
        key->values[Folded(name)] = {name, data};
}

void RegistryProtectKey(const std::string& path)
{
    const std::shared_ptr<Key> key = KeyAt(path, true);
    if (key != nullptr)
        key->protectedKey = true;
}

bool RegistryHasKey(const std::string& path)
{
    return KeyAt(path, false) != nullptr;
}

std::vector<std::string> RegistryDump()
{
    std::vector<std::string> lines;
    Dump(*State().root, "", &lines);
    return lines;
}

std::size_t RegistryOpenHandles()
{
    return State().handles.size();
}

} // namespace host

using host::CallLogAppend;
using host::CallLogHex;
using host::CallLogString;

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                     REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                     LPDWORD lpdwDisposition)
{
    CallLogAppend("RegCreateKeyExA(" + CallLogHex(hKey) + ", " + CallLogString(lpSubKey) + ", " +
                  std::to_string(Reserved) + ", " + CallLogString(lpClass) + ", " +
                  std::to_string(dwOptions) + ", " + std::to_string(samDesired) + ", " +
                  CallLogHex(lpSecurityAttributes) + ", " + host::Given(phkResult, "key") + ", " +
                  host::Given(lpdwDisposition, "disposition") + ")");
    if (lpSubKey == nullptr || phkResult == nullptr || Reserved != 0)
        return host::ErrorInvalidParameter;
    std::shared_ptr<host::Key> key;
    bool created = false;
    const LONG status = host::Walk(host::KeyOf(hKey), lpSubKey, true, &key, &created);
    if (status != ERROR_SUCCESS)
        return status;
    *phkResult = host::NewHandle(key);
    if (lpdwDisposition != nullptr)
        *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult)
{
    CallLogAppend("RegOpenKeyExA(" + CallLogHex(hKey) + ", " + CallLogString(lpSubKey) + ", " +
                  std::to_string(ulOptions) + ", " + std::to_string(samDesired) + ", " +
                  host::Given(phkResult, "key") + ")");
    if (phkResult == nullptr)
        return host::ErrorInvalidParameter;
    std::shared_ptr<host::Key> key;
    const LONG status = host::Walk(host::KeyOf(hKey), lpSubKey, false, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    *phkResult = host::NewHandle(key);
    return ERROR_SUCCESS;
}

LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                   LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime)
{
    CallLogAppend("RegEnumKeyExA(" + CallLogHex(hKey) + ", " + std::to_string(dwIndex) + ", " +
                  host::Given(lpName, "name") + ", " +
                  (lpcchName == nullptr ? std::string("null") : std::to_string(*lpcchName)) + ", " +
                  CallLogHex(lpReserved) + ", " + CallLogHex(lpClass) + ", " +
                  CallLogHex(lpcchClass) + ", " + CallLogHex(lpftLastWriteTime) + ")");
    const std::shared_ptr<host::Key> key = host::KeyOf(hKey);
    if (key == nullptr)
        return ERROR_INVALID_HANDLE;
    if (key->deleted)
        return host::ErrorKeyDeleted;
    if (lpName == nullptr || lpcchName == nullptr)
        return host::ErrorInvalidParameter;
    if (dwIndex >= key->subkeys.size())
        return ERROR_NO_MORE_ITEMS;
    auto subkey = key->subkeys.begin();
    std::advance(subkey, dwIndex);
    const std::string& name = subkey->second->name;
    // The size counts the terminating zero; the length returned does not.
    if (name.size() >= *lpcchName)
        return ERROR_MORE_DATA;
    memcpy(lpName, name.c_str(), name.size() + 1);
    *lpcchName = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey)
{
    CallLogAppend("RegDeleteKeyA(" + CallLogHex(hKey) + ", " + CallLogString(lpSubKey) + ")");
    if (lpSubKey == nullptr || *lpSubKey == '\0')
        return host::ErrorInvalidParameter;
    std::shared_ptr<host::Key> key;
    const LONG status = host::Walk(host::KeyOf(hKey), lpSubKey, false, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    // Windows NT's rule, which Windows 95 does not have.
    if (!key->subkeys.empty() || key->protectedKey)
        return ERROR_ACCESS_DENIED;
    key->deleted = true;
    key->parent->subkeys.erase(host::Folded(key->name));
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY hKey)
{
    CallLogAppend("RegCloseKey(" + CallLogHex(hKey) + ")");
    if (hKey == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    return host::State().handles.erase(reinterpret_cast<uintptr_t>(hKey)) > 0
               ? ERROR_SUCCESS
               : ERROR_INVALID_HANDLE;
}
