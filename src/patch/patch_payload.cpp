// The patch payload. The tables describe four PCI functions of vendor 1106 to
// Windows 95: the PCI-to-ISA bridge (0586), the CPU-to-PCI bridge (1595) and
// the power-management controller (3040) through MACHINE.INF, and the USB
// host controller (3038) through the USB.INF below.
#include "patch/patch_payload.h"

const char ScratchFile[] = "_vadro_.tmp";

const InfFileNameTable InfFileNames = {
    "MACHINE.INF",    "MACHINE.OLD",  ScratchFile, "MS_SYS",
    "PCI_DRV_AddReg", "ControlFlags", "Strings",
};

// Device models of the system-device class.
const char* const MsSysLines[] = {
    "%PCI\\VEN_1106&DEV_3040.DeviceDesc%=NO_DRV,PCI\\VEN_1106&DEV_3040",
    "%PCI\\VEN_1106&DEV_1595.DeviceDesc%=NO_DRV,PCI\\VEN_1106&DEV_1595",
    "%PCI\\VEN_1106&DEV_0586.DeviceDesc%=ISA_DRV,PCI\\VEN_1106&DEV_0586",
};
const int MsSysLineCount = sizeof MsSysLines / sizeof MsSysLines[0];

// Registry entries added when the PCI bus driver is installed: the IDE and
// IRQ-routing miniports of the chipset.
// clang-format off
const char* const PciDrvAddRegLines[] = {
    "HKLM,System\\CurrentControlSet\\Services\\VxD\\PCI\\IDEMiniports\\05711106,Instance,1,00,00,00,00",
    "HKLM,System\\CurrentControlSet\\Services\\VxD\\PCI\\IDEMiniports\\05711106,Path,,\"PCIMP.PCI\"",
    "HKLM,System\\CurrentControlSet\\Services\\VxD\\PCI\\IDEMiniports\\05711106,Name,,\"AMD-645\"",
    "HKLM,System\\CurrentControlSet\\Services\\VxD\\PCI\\IRQMiniports\\05861106,Instance,1,01,00,00,00",
    "HKLM,System\\CurrentControlSet\\Services\\VxD\\PCI\\IRQMiniports\\05861106,Path,,\"PCIMP.PCI\"",
    "HKLM,System\\CurrentControlSet\\Services\\VxD\\PCI\\IRQMiniports\\05861106,Name,,\"AMD-645\"",
    "HKLM,System\\CurrentControlSet\\Services\\VxD\\PCI,71118086,1,04,00,00,00",
};
// clang-format on
const int PciDrvAddRegLineCount = sizeof PciDrvAddRegLines / sizeof PciDrvAddRegLines[0];

// Keeps the three devices out of the manual device selection.
const char* const ControlFlagsLines[] = {
    "ExcludeFromSelect=PCI\\VEN_1106&DEV_3040",
    "ExcludeFromSelect=PCI\\VEN_1106&DEV_1595",
    "ExcludeFromSelect=PCI\\VEN_1106&DEV_0586",
};
const int ControlFlagsLineCount = sizeof ControlFlagsLines / sizeof ControlFlagsLines[0];

// The descriptions that the model lines name.
const char* const StringsLines[] = {
    "PCI\\VEN_1106&DEV_3040.DeviceDesc=\"AMD-645 Power Management Controller\"",
    "PCI\\VEN_1106&DEV_1595.DeviceDesc=\"AMD-645 CPU to PCI bridge\"",
    "PCI\\VEN_1106&DEV_0586.DeviceDesc=\"AMD-645 PCI to ISA bridge\"",
};
const int StringsLineCount = sizeof StringsLines / sizeof StringsLines[0];

// The complete USB.INF, written whole over the system's own: one source line
// per line of the file. [UniversalHCD.Dev], which the AMD-645 and Intel model
// lines name, holds no lines; its AddReg and CopyFiles sections stand unnamed.
// clang-format off
const char UsbInfText[] =
    "\r\n"
    "; USB.INF: setup information that describes the USB host controllers\r\n"
    "; and root hubs of the Universal Serial Bus device class to Windows 95\r\n"
    "; Created: 02/17/1998\r\n"
    "\r\n"
    "[Version]\r\n"
    "signature=\"$CHICAGO$\"\r\n"
    "Class=USB\r\n"
    "ClassGUID={36FC9E60-C465-11CF-8056-444553540000}\r\n"
    "Provider=%Msft%\r\n"
    "LayoutFile=LAYOUT.INF\r\n"
    "\r\n"
    "[DestinationDirs]\r\n"
    "DefaultDestDir=11               ; LDID_SYS\r\n"
    "\r\n"
    ";====================== Class Install ======================\r\n"
    "\r\n"
    "[ClassInstall]\r\n"
    "Addreg=USBClassReg\r\n"
    "\r\n"
    "[USBClassReg]\r\n"
    "HKR,,,,%USBClassName%\r\n"
    "HKR,,Icon,,-20\r\n"
    "\r\n"
    "\r\n"
    ";====================== Manufacturers ======================\r\n"
    "\r\n"
    "[Manufacturer]\r\n"
    "%Generic.Mfg%=Generic.Section\r\n"
    "%GenericHub.Mfg%=GenericHub.Section\r\n"
    "%Compaq.Mfg%=Compaq.Section\r\n"
    "%Intel.Mfg%=Intel.Section\r\n"
    "%Philips.Mfg%=Philips.Section\r\n"
    "%NEC.Mfg%=NEC.Section\r\n"
    "\r\n"
    "%PLX.Mfg%=PLX.Section\r\n"
    "\r\n"
    "%AMD.Mfg%=AMD.Section\r\n"
    "\r\n"
    ";========================= Generic =========================\r\n"
    "\r\n"
    "[Generic.Section]\r\n"
    "%PCI\\CC_0C0310.DeviceDesc%=OpenHCD.Dev,PCI\\CC_0C0310\r\n"
    "%PCI\\CC_0C0300.DeviceDesc%=UniversalHCD.Dev,PCI\\CC_0C0300\r\n"
    "%USB\\ROOT_HUB.DeviceDesc%=StandardHub.Dev,USB\\ROOT_HUB\r\n"
    "\r\n"
    ";------------------------- OpenHCD -------------------------\r\n"
    "\r\n"
    "[OpenHCD.Dev]\r\n"
    "AddReg=OpenHCD.AddReg, USB.AddReg\r\n"
    "CopyFiles=OpenHCD.CopyFiles,USB.CopyFiles\r\n"
    "\r\n"
    "[OpenHCD.AddReg]\r\n"
    "HKR,,NTMPDriver,,openhci.sys\r\n"
    "HKR,,EnumPropPages,,\"sysclass.dll,USBEnumPropPages\"\r\n"
    "\r\n"
    "[OpenHCD.CopyFiles]\r\n"
    "openhci.sys\r\n"
    "\r\n"
    ";---------------------- UniversalHCD -----------------------\r\n"
    "\r\n"
    "[UniversalHCD.Dev]\r\n"
    "\r\n"
    "[UniversalHCD.AddReg]\r\n"
    "HKR,,NTMPDriver,,uhcd.sys\r\n"
    "HKR,,EnumPropPages,,\"sysclass.dll,USBEnumPropPages\"\r\n"
    "\r\n"
    "[UniversalHCD.CopyFiles]\r\n"
    "uhcd.sys\r\n"
    "\r\n"
    ";----------------------- StandardHub -----------------------\r\n"
    "\r\n"
    "[StandardHub.Dev]\r\n"
    "AddReg=Hub.AddReg\r\n"
    "CopyFiles=Hub.CopyFiles\r\n"
    "\r\n"
    ";========================= Compaq ==========================\r\n"
    "\r\n"
    "[Compaq.Section]\r\n"
    "%PCI\\VEN_0E11&DEV_A0F8.DeviceDesc%=OpenHCD.Dev,PCI\\VEN_0E11&DEV_A0F8\r\n"
    "\r\n"
    ";========================== Intel ==========================\r\n"
    "\r\n"
    "[Intel.Section]\r\n"
    "%PCI\\VEN_8086&DEV_7020.DeviceDesc%=UniversalHCD.Dev,PCI\\VEN_8086&DEV_7020\r\n"
    "%PCI\\VEN_8086&DEV_7112.DeviceDesc%=UniversalHCD.Dev,PCI\\VEN_8086&DEV_7112\r\n"
    "\r\n"
    ";========================= Philips =========================\r\n"
    "\r\n"
    "[Philips.Section]\r\n"
    "%USB\\VID_0471&PID_0201.DeviceDesc%=StandardHub.Dev,USB\\VID_0471&PID_0201\r\n"
    "\r\n"
    ";=========================== NEC ===========================\r\n"
    "[NEC.Section]\r\n"
    "%USB\\VID_0409&PID_55AA.DeviceDesc%=StandardHub.Dev,USB\\VID_0409&PID_55AA\r\n"
    "\r\n"
    ";====================== Generic hubs =======================\r\n"
    "[GenericHub.Section]\r\n"
    "%USB\\CLASS_09&SUBCLASS_01.DeviceDesc%=StandardHub.Dev,USB\\CLASS_09&SUBCLASS_01\r\n"
    "%USB\\CLASS_09.DeviceDesc%=StandardHub.Dev,USB\\CLASS_09\r\n"
    "\r\n"
    "\r\n"
    ";=========================== PLX ===========================\r\n"
    "\r\n"
    "[PLX.Section]\r\n"
    "%PCI\\VEN_10B5&DEV_9060.DeviceDesc%=PLX.Dev,PCI\\VEN_10B5&DEV_9060\r\n"
    "\r\n"
    "[PLX.Dev]\r\n"
    "AddReg=PLX.AddReg, USB.AddReg\r\n"
    "CopyFiles=PLX.CopyFiles\r\n"
    "\r\n"
    "[PLX.AddReg]\r\n"
    "HKR,,NTMPDriver,,pcspeak.sys\r\n"
    "\r\n"
    "[PLX.CopyFiles]\r\n"
    "pcspeak.sys\r\n"
    "\r\n"
    "\r\n"
    ";=========================== AMD ===========================\r\n"
    "\r\n"
    "[AMD.Section]\r\n"
    "%PCI\\VEN_1106&DEV_3038.DeviceDesc%=UniversalHCD.Dev,PCI\\VEN_1106&DEV_3038\r\n"
    "\r\n"
    ";========================= Common ==========================\r\n"
    "\r\n"
    "[USB.AddReg]\r\n"
    "HKR,,DevLoader,,*NTKERN\r\n"
    "\r\n"
    "[USB.CopyFiles]\r\n"
    "usbd.sys\r\n"
    "; usbd.sys is the bus driver that every host controller shares\r\n"
    "\r\n"
    "[HUB.AddReg]\r\n"
    "HKR,,DevLoader,,*NTKERN\r\n"
    "HKR,,NTMPDriver,,usbhub.sys\r\n"
    "\r\n"
    "[HUB.CopyFiles]\r\n"
    "\r\n"
    "[ControlFlags]\r\n"
    "\r\n"
    "[DestinationDirs]\r\n"
    "DefaultDestDir = 11             ; System directory\r\n"
    "\r\n"
    "[Strings]\r\n"
    "Msft=\"Microsoft\"\r\n"
    "USBClassName=\"Universal serial bus controller\"\r\n"
    "\r\n"
    "Generic.Mfg=\"(Standard USB Host Controller)\"\r\n"
    "PCI\\CC_0C0310.DeviceDesc=\"Standard OpenHCD USB Host Controller\"\r\n"
    "PCI\\CC_0C0300.DeviceDesc=\"Standard Universal PCI to USB Host Controller\"\r\n"
    "USB\\ROOT_HUB.DeviceDesc=\"USB Root Hub\"\r\n"
    "\r\n"
    "Compaq.Mfg=\"Compaq\"\r\n"
    "PCI\\VEN_0E11&DEV_A0F8.DeviceDesc=\"Compaq PCI to USB Open Host Controller\"\r\n"
    "\r\n"
    "Intel.Mfg=\"Intel\"\r\n"
    "PCI\\VEN_8086&DEV_7020.DeviceDesc=\"Intel 82371SB PCI to USB Universal Host Controller\"\r\n"
    "PCI\\VEN_8086&DEV_7112.DeviceDesc=\"Intel 82371AB PCI to USB Universal Host Controller\"\r\n"
    "\r\n"
    "Philips.Mfg=\"Philips\"\r\n"
    "USB\\VID_0471&PID_0201.DeviceDesc=\"Philips USB Hub\"\r\n"
    "\r\n"
    "NEC.Mfg=\"NEC\"\r\n"
    "USB\\VID_0409&PID_55AA.DeviceDesc=\"NEC USB Hub\"\r\n"
    "\r\n"
    "GenericHub.Mfg=\"(Generic USB Hub)\"\r\n"
    "USB\\CLASS_09&SUBCLASS_01.DeviceDesc=\"Generic USB Hub\"\r\n"
    "USB\\CLASS_09.DeviceDesc=\"Generic USB Hub\"\r\n"
    "\r\n"
    "PLX.Mfg=\"PLX Technology\"\r\n"
    "PCI\\VEN_10B5&DEV_9060.DeviceDesc=\"PLX USB Test Board\"\r\n"
    "\r\n"
    "AMD.Mfg=\"AMD\"\r\n"
    "PCI\\VEN_1106&DEV_3038.DeviceDesc=\"AMD-645 PCI to USB Universal Host Controller\"\r\n";
// clang-format on
const unsigned long UsbInfTextLength = sizeof UsbInfText - 1;
