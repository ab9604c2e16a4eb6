// The INF patch procedure over the INF text primitives and the payload.
#include "patch/inf_patch.h"

#include "patch/byte_string.h"
#include "patch/inf_text.h"
#include "patch/patch_payload.h"
#include "platform/byte_stream.h"
#include "platform/win32_api.h"

char WindowsDirectory[128] = "C:\\WINDOWS";

namespace
{

// One insertion: a fresh scratch copy of the current MACHINE.INF, then
// MACHINE.INF rewritten from it with the lines beneath the section's header.
// A section that MACHINE.INF lacks is no failure. A rewrite that fails half
// way (a full disk) would leave a truncated MACHINE.INF, and the system would
// not start with it: put the scratch copy, the state from before this
// insertion, back. When even that fails, MACHINE.OLD still holds the original.
int InsertIntoMachineInf(const char* machineInf, const char* scratch, const char* section,
                         int count, const char* const* lines)
{
    if (!CopyWholeFile(scratch, machineInf))
        return 0;
    if (InsertSectionLines(machineInf, scratch, section, count, lines) != INSERT_IO_ERROR)
        return 1;
    CopyWholeFile(machineInf, scratch);
    return 0;
}

int WriteUsbInf(const char* path)
{
    int written;
    ByteStream* stream = StreamOpen(path, STREAM_WRITE);
    if (stream == 0)
        return 0;
    written = StreamWrite(stream, UsbInfText, UsbInfTextLength);
    return StreamClose(stream) && written;
}

} // namespace

int PatchInfFiles(void)
{
    int result = 0;
    char machineInf[PATH_CAPACITY];
    char machineOld[PATH_CAPACITY];
    char scratch[PATH_CAPACITY];
    char usbInf[PATH_CAPACITY];

    // A failed query (0) leaves the buffer as it was. A directory too long for
    // the buffer is reported by its required size, with the buffer again left
    // as it was: going on would patch whatever folder the old content names.
    if (GetWindowsDirectoryA(WindowsDirectory, sizeof WindowsDirectory) >= sizeof WindowsDirectory)
        goto out;

    // Every path is built before the first file is touched, so a Windows
    // directory too long for them all refuses the run with nothing written.
    if (!BuildInfPath(machineInf, WindowsDirectory, InfFileNames.MachineInf) ||
        !BuildInfPath(machineOld, WindowsDirectory, InfFileNames.MachineOld) ||
        !BuildInfPath(scratch, WindowsDirectory, InfFileNames.Scratch) ||
        !BuildInfPath(usbInf, WindowsDirectory, "USB.INF"))
        goto out;

    if (!CopyWholeFile(machineOld, machineInf))
        goto out;
    if (!InsertIntoMachineInf(machineInf, scratch, InfFileNames.MsSysSection, MsSysLineCount,
                              MsSysLines) ||
        !InsertIntoMachineInf(machineInf, scratch, InfFileNames.PciDrvAddRegSection,
                              PciDrvAddRegLineCount, PciDrvAddRegLines) ||
        !InsertIntoMachineInf(machineInf, scratch, InfFileNames.ControlFlagsSection,
                              ControlFlagsLineCount, ControlFlagsLines) ||
        !InsertIntoMachineInf(machineInf, scratch, InfFileNames.StringsSection, StringsLineCount,
                              StringsLines))
        goto out;
    if (!WriteUsbInf(usbInf))
        goto out;

    // The scratch file has served its purpose; one left behind harms nothing.
    DeleteFileA(scratch);
    result = 1;

out:
    return result;
}
