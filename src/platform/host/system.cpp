// Host stand-ins for the Windows directory query and file deletion. The
// Windows directory is the host folder named by the environment variable
// WINDIR; without it the query fails, as the real one may, and the caller's
// buffer keeps what it held. Paths built with '\' are used with '/'.
#include "platform/host/host_text.h"
#include "platform/win32_api.h"

#include <stdlib.h>
#include <string.h>
#include <unistd.h>

UINT GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize)
{
    const char* folder = getenv("WINDIR");
    // An empty value counts as unset: it would put the INF folder at the root.
    if (folder == 0 || folder[0] == 0)
        return 0;
    size_t length = strlen(folder);
    // Like the real call: the length without the zero when it fits, else the
    // size the buffer would need, with the buffer untouched.
    if (length + 1 > uSize)
        return static_cast<UINT>(length + 1);
    memcpy(lpBuffer, folder, length + 1);
    return static_cast<UINT>(length);
}

BOOL DeleteFileA(LPCSTR lpFileName)
{
    return unlink(host::HostPath(lpFileName).c_str()) == 0 ? TRUE : FALSE;
}
