// The run that the user confirms with OK, step after step on the one
// user-interface thread. Only the INF patch can stop it; the registry work,
// the readme and the restart request report nothing.
#include "app/confirm_sequence.h"

#include "app/launch.h"
#include "devreg/enum_keys.h"
#include "patch/inf_patch.h"

int RunConfirmationSequence(HWND owner)
{
    if (!PatchInfFiles()) {
        MessageBoxA(owner, "Patching Error", "Error", MB_OK);
        return 0;
    }
    RemoveDeviceKeys();
    // Whether the editor could be started makes no difference to the run.
    LaunchAndWait("notepad.exe", "readme.txt");
    MessageBoxA(owner, "PIIX4 Successfully patched, Press the button to Reboot", "Message", MB_OK);
    // The program ends right after the request; it does not wait for it.
    ExitWindowsEx(EWX_REBOOT, 0);
    return 1;
}
