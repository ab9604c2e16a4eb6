// Deletion of device enumeration branches from the registry.
//
// Windows 95's RegDeleteKeyA removes a key together with everything beneath
// it. Windows NT and Wine refuse to delete a key that still has subkeys
// (ERROR_ACCESS_DENIED), so when the plain deletion fails the subkeys go
// first, deepest first. Only calls that Windows 95 has are used for that:
// RegOpenKeyExA, RegEnumKeyExA and RegDeleteKeyA (RegDeleteTreeA and
// SHDeleteKey came later).
//
// The recursion works on open key handles, each level naming its children
// relative to its own handle, so no path of the whole branch is ever built.
#include "devreg/enum_keys.h"

namespace
{

// The longest key name the registry allows (255 characters) and its zero.
const DWORD KeyNameSize = 256;

int DeleteKeyTree(HKEY key, const char* subkey, int depth);

// Deletes every subkey of the open key, each with all keys beneath it. 1
// when none is left.
int DeleteSubkeys(HKEY key, int depth)
{
    for (;;) {
        char name[KeyNameSize];
        DWORD length = KeyNameSize;
        // Always index 0: the child deleted last no longer counts, so the
        // next one has moved up. A child that cannot be deleted ends the
        // loop instead of being found again and again.
        const LONG status = RegEnumKeyExA(key, 0, name, &length, 0, 0, 0, 0);
        if (status == ERROR_NO_MORE_ITEMS)
            return 1;
        if (status != ERROR_SUCCESS || !DeleteKeyTree(key, name, depth + 1))
            return 0;
    }
}

// Deletes subkey of key with all keys beneath it; depth is the level of
// subkey below the branch key. 1 when subkey is gone, 0 when it (or one of
// the keys beneath it) could not be deleted or did not exist.
int DeleteKeyTree(HKEY key, const char* subkey, int depth)
{
    // Windows 95 deletes the whole tree here.
    if (RegDeleteKeyA(key, subkey) == ERROR_SUCCESS)
        return 1;

    int result = 0;
    HKEY opened;
    if (depth < ENUM_BRANCH_MAX_DEPTH &&
        RegOpenKeyExA(key, subkey, 0, KEY_READ, &opened) == ERROR_SUCCESS) {
        result = DeleteSubkeys(opened, depth);
        RegCloseKey(opened);
        if (result)
            result = RegDeleteKeyA(key, subkey) == ERROR_SUCCESS;
    }
    return result;
}

} // namespace

int DeleteEnumKey(HKEY root, const char* parent, const char* branch)
{
    HKEY key;
    DWORD disposition;
    // Options 1 (REG_OPTION_VOLATILE) matter only when the key has to be
    // created; an existing Enum key is opened as it is.
    if (RegCreateKeyExA(root, parent, 0, 0, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, 0, &key,
                        &disposition) != ERROR_SUCCESS)
        return 0;
    DeleteKeyTree(key, branch, 0);
    RegCloseKey(key);
    return 1;
}

void RemoveDeviceKeys(void)
{
    static const char* const Branches[] = {
        "PCI\\VEN_1106&DEV_0586", // PCI-to-ISA bridge
        "PCI\\VEN_1106&DEV_1595", // CPU-to-PCI bridge
        "PCI\\VEN_1106&DEV_3038", // USB host controller
        "PCI\\VEN_1106&DEV_3040", // power-management controller
    };
    for (unsigned i = 0; i < sizeof Branches / sizeof Branches[0]; ++i)
        DeleteEnumKey(HKEY_LOCAL_MACHINE, "Enum", Branches[i]);
}
