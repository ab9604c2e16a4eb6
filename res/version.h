// The program's version and names, for the version record in InfPatch.rc
// and for the code that checks it.
#ifndef MORVANE_RES_VERSION_H
#define MORVANE_RES_VERSION_H

#define INFPATCH_VERSION_MAJOR 1
#define INFPATCH_VERSION_MINOR 2
#define INFPATCH_VERSION_PATCH 0
#define INFPATCH_VERSION_BUILD 1
#define INFPATCH_VERSION_TEXT "1.2.0.1"

#define INFPATCH_NAME "InfPatch"
#define INFPATCH_FILE_NAME "InfPatch.exe"

// U.S. English with the Unicode code page: the block "040904B0".
#define INFPATCH_VERSION_LANGUAGE 0x0409
#define INFPATCH_VERSION_CODEPAGE 1200
#define INFPATCH_VERSION_BLOCK "040904B0"

#endif
