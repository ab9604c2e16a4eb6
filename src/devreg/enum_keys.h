// Removal of the patched chipset functions' branches from the registry's
// device enumeration tree (HKEY_LOCAL_MACHINE\Enum), so that the next start
// of the system detects them afresh under their new descriptions.
#ifndef MORVANE_DEVREG_ENUM_KEYS_H
#define MORVANE_DEVREG_ENUM_KEYS_H

#include "platform/win32_api.h"

// How many levels of keys beneath a branch key the deletion goes down. An
// enumeration branch is a device key with its instance keys and perhaps one
// level more; a branch with keys deeper than this is left in place.
enum { ENUM_BRANCH_MAX_DEPTH = 32 };

// Opens parent beneath root (creating it when missing) and deletes the key
// branch beneath it with every key below it. 1 when the parent key was
// opened, whatever the deletion did (an absent branch is no failure); 0 when
// it could not be opened.
int DeleteEnumKey(HKEY root, const char* parent, const char* branch);

// Deletes the branches of the four chipset functions from
// HKEY_LOCAL_MACHINE\Enum, in a fixed order. Every result is ignored.
void RemoveDeviceKeys(void);

#endif
