// The patch payload: the names of the files and sections the patch works on,
// the four line tables inserted into MACHINE.INF, and the complete USB.INF.
// All of it is constant data built into the program.
#ifndef MORVANE_PATCH_PATCH_PAYLOAD_H
#define MORVANE_PATCH_PATCH_PAYLOAD_H

// The scratch file in the INF folder that holds the working copy of
// MACHINE.INF between two insertions: "_vadro_.tmp".
extern const char ScratchFile[];

// The file names (combined with the INF folder) and the section names
// (passed to InsertSectionLines) of the patch.
struct InfFileNameTable {
    const char* MachineInf;          // "MACHINE.INF": receives the lines
    const char* MachineOld;          // "MACHINE.OLD": the backup taken first
    const char* Scratch;             // ScratchFile
    const char* MsSysSection;        // "MS_SYS": receives MsSysLines
    const char* PciDrvAddRegSection; // "PCI_DRV_AddReg": receives PciDrvAddRegLines
    const char* ControlFlagsSection; // "ControlFlags": receives ControlFlagsLines
    const char* StringsSection;      // "Strings": receives StringsLines
};
extern const InfFileNameTable InfFileNames;

// Line tables: lines without line ends, bounded by their counts.
extern const char* const MsSysLines[];
extern const int MsSysLineCount;
extern const char* const PciDrvAddRegLines[];
extern const int PciDrvAddRegLineCount;
extern const char* const ControlFlagsLines[];
extern const int ControlFlagsLineCount;
extern const char* const StringsLines[];
extern const int StringsLineCount;

// The whole USB.INF, CR LF after every line; UsbInfTextLength bytes long (the
// array's terminating zero is not part of the text).
extern const char UsbInfText[];
extern const unsigned long UsbInfTextLength;

#endif
