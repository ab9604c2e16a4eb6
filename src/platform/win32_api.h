// The Win32 interface as the product sees it. On Windows this is the real
// <windows.h>; on the host it is the small subset that the product calls,
// implemented by the stand-ins in platform/host/ at link time.
#ifndef MORVANE_PLATFORM_WIN32_API_H
#define MORVANE_PLATFORM_WIN32_API_H

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/host/win32_subset.h"
#endif

#endif
