// What the main dialog's OK does: patch the INF files, remove the devices'
// enumeration branches, show the readme, report and request the restart.
#ifndef MORVANE_APP_CONFIRM_SEQUENCE_H
#define MORVANE_APP_CONFIRM_SEQUENCE_H

#include "platform/win32_api.h"

// Runs the patch with `owner` owning its message boxes. Returns 0 when the
// patch failed (the error was shown; the dialog stays open and OK may be
// pressed again) and 1 when the run went through to the restart request
// (the dialog then ends with IDOK).
int RunConfirmationSequence(HWND owner);

#endif
