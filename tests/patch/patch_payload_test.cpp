// Tests of the patch payload: the names, the four line tables exactly as they
// must reach MACHINE.INF, and the form of the USB.INF text line by line.
#include "patch/patch_payload.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{

std::vector<std::string> Table(const char* const* lines, int count)
{
    return std::vector<std::string>(lines, lines + count);
}

TEST(Payload, NamesAndLineTables)
{
    EXPECT_STREQ(InfFileNames.MachineInf, "MACHINE.INF");
    EXPECT_STREQ(InfFileNames.MachineOld, "MACHINE.OLD");
    EXPECT_STREQ(InfFileNames.Scratch, "_vadro_.tmp");
    EXPECT_EQ(InfFileNames.Scratch, ScratchFile);
    EXPECT_STREQ(InfFileNames.MsSysSection, "MS_SYS");
    EXPECT_STREQ(InfFileNames.PciDrvAddRegSection, "PCI_DRV_AddReg");
    EXPECT_STREQ(InfFileNames.ControlFlagsSection, "ControlFlags");
    EXPECT_STREQ(InfFileNames.StringsSection, "Strings");

    // Raw strings, so that an escape slip in the product shows up here.
    EXPECT_EQ(Table(MsSysLines, MsSysLineCount),
              (std::vector<std::string>{
                  R"(%PCI\VEN_1106&DEV_3040.DeviceDesc%=NO_DRV,PCI\VEN_1106&DEV_3040)",
                  R"(%PCI\VEN_1106&DEV_1595.DeviceDesc%=NO_DRV,PCI\VEN_1106&DEV_1595)",
                  R"(%PCI\VEN_1106&DEV_0586.DeviceDesc%=ISA_DRV,PCI\VEN_1106&DEV_0586)",
              }));
    EXPECT_EQ(
        Table(PciDrvAddRegLines, PciDrvAddRegLineCount),
        (std::vector<std::string>{
            R"(HKLM,System\CurrentControlSet\Services\VxD\PCI\IDEMiniports\05711106,Instance,1,00,00,00,00)",
            R"(HKLM,System\CurrentControlSet\Services\VxD\PCI\IDEMiniports\05711106,Path,,"PCIMP.PCI")",
            R"(HKLM,System\CurrentControlSet\Services\VxD\PCI\IDEMiniports\05711106,Name,,"AMD-645")",
            R"(HKLM,System\CurrentControlSet\Services\VxD\PCI\IRQMiniports\05861106,Instance,1,01,00,00,00)",
            R"(HKLM,System\CurrentControlSet\Services\VxD\PCI\IRQMiniports\05861106,Path,,"PCIMP.PCI")",
            R"(HKLM,System\CurrentControlSet\Services\VxD\PCI\IRQMiniports\05861106,Name,,"AMD-645")",
            R"(HKLM,System\CurrentControlSet\Services\VxD\PCI,71118086,1,04,00,00,00)",
        }));
    EXPECT_EQ(Table(ControlFlagsLines, ControlFlagsLineCount),
              (std::vector<std::string>{
                  R"(ExcludeFromSelect=PCI\VEN_1106&DEV_3040)",
                  R"(ExcludeFromSelect=PCI\VEN_1106&DEV_1595)",
                  R"(ExcludeFromSelect=PCI\VEN_1106&DEV_0586)",
              }));
    EXPECT_EQ(Table(StringsLines, StringsLineCount),
              (std::vector<std::string>{
                  R"(PCI\VEN_1106&DEV_3040.DeviceDesc="AMD-645 Power Management Controller")",
                  R"(PCI\VEN_1106&DEV_1595.DeviceDesc="AMD-645 CPU to PCI bridge")",
                  R"(PCI\VEN_1106&DEV_0586.DeviceDesc="AMD-645 PCI to ISA bridge")",
              }));
}

TEST(UsbInfText, IsPrintableAsciiInCrLfLines)
{
    ASSERT_EQ(UsbInfTextLength, 4560u);
    EXPECT_EQ(std::strlen(UsbInfText), UsbInfTextLength) << "a zero byte inside the text";
    for (unsigned long i = 0; i < UsbInfTextLength; ++i) {
        unsigned char c = static_cast<unsigned char>(UsbInfText[i]);
        if (c == '\r')
            ASSERT_EQ(UsbInfText[i + 1], '\n') << "CR without LF at " << i;
        else if (c == '\n')
            ASSERT_TRUE(i > 0 && UsbInfText[i - 1] == '\r') << "LF without CR at " << i;
        else
            ASSERT_TRUE(c >= 0x20 && c <= 0x7e) << "byte " << int(c) << " at " << i;
    }
    EXPECT_EQ(std::string(UsbInfText + UsbInfTextLength - 2, 2), "\r\n");
}

std::vector<std::string> UsbInfLines()
{
    std::vector<std::string> lines;
    std::string text(UsbInfText, UsbInfTextLength);
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(UsbInfText, CountsLinesPerKind)
{
    int headers = 0, content = 0, comments = 0, empty = 0;
    for (const std::string& line : UsbInfLines()) {
        if (line.empty())
            ++empty;
        else if (line[0] == '[')
            ++headers;
        else if (line[0] == ';')
            ++comments;
        else
            ++content;
    }
    EXPECT_EQ(headers, 30);
    EXPECT_EQ(content, 70);
    EXPECT_EQ(comments, 18);
    EXPECT_EQ(empty, 56);
}

// The whole text in order. Every line is matched exactly except comments:
// ";=" stands for a title framed in '=' signs, ";-" for one framed in '-'
// signs, ";" for a remark of any wording.
// clang-format off
const std::vector<std::string> ExpectedUsbInf = {
    "", ";", ";", ";", "",
    "[Version]", R"(signature="$CHICAGO$")", "Class=USB",
    "ClassGUID={36FC9E60-C465-11CF-8056-444553540000}", "Provider=%Msft%", "LayoutFile=LAYOUT.INF",
    "",
    "[DestinationDirs]", "DefaultDestDir=11               ; LDID_SYS",
    "", ";=", "",
    "[ClassInstall]", "Addreg=USBClassReg",
    "",
    "[USBClassReg]", "HKR,,,,%USBClassName%", "HKR,,Icon,,-20",
    "", "", ";=", "",
    "[Manufacturer]", "%Generic.Mfg%=Generic.Section", "%GenericHub.Mfg%=GenericHub.Section",
    "%Compaq.Mfg%=Compaq.Section", "%Intel.Mfg%=Intel.Section", "%Philips.Mfg%=Philips.Section",
    "%NEC.Mfg%=NEC.Section", "", "%PLX.Mfg%=PLX.Section", "", "%AMD.Mfg%=AMD.Section",
    "", ";=", "",
    "[Generic.Section]",
    R"(%PCI\CC_0C0310.DeviceDesc%=OpenHCD.Dev,PCI\CC_0C0310)",
    R"(%PCI\CC_0C0300.DeviceDesc%=UniversalHCD.Dev,PCI\CC_0C0300)",
    R"(%USB\ROOT_HUB.DeviceDesc%=StandardHub.Dev,USB\ROOT_HUB)",
    "", ";-", "",
    "[OpenHCD.Dev]", "AddReg=OpenHCD.AddReg, USB.AddReg", "CopyFiles=OpenHCD.CopyFiles,USB.CopyFiles",
    "",
    "[OpenHCD.AddReg]", "HKR,,NTMPDriver,,openhci.sys", R"(HKR,,EnumPropPages,,"sysclass.dll,USBEnumPropPages")",
    "",
    "[OpenHCD.CopyFiles]", "openhci.sys",
    "", ";-", "",
    "[UniversalHCD.Dev]",
    "",
    "[UniversalHCD.AddReg]", "HKR,,NTMPDriver,,uhcd.sys", R"(HKR,,EnumPropPages,,"sysclass.dll,USBEnumPropPages")",
    "",
    "[UniversalHCD.CopyFiles]", "uhcd.sys",
    "", ";-", "",
    "[StandardHub.Dev]", "AddReg=Hub.AddReg", "CopyFiles=Hub.CopyFiles",
    "", ";=", "",
    "[Compaq.Section]", R"(%PCI\VEN_0E11&DEV_A0F8.DeviceDesc%=OpenHCD.Dev,PCI\VEN_0E11&DEV_A0F8)",
    "", ";=", "",
    "[Intel.Section]",
    R"(%PCI\VEN_8086&DEV_7020.DeviceDesc%=UniversalHCD.Dev,PCI\VEN_8086&DEV_7020)",
    R"(%PCI\VEN_8086&DEV_7112.DeviceDesc%=UniversalHCD.Dev,PCI\VEN_8086&DEV_7112)",
    "", ";=", "",
    "[Philips.Section]", R"(%USB\VID_0471&PID_0201.DeviceDesc%=StandardHub.Dev,USB\VID_0471&PID_0201)",
    "", ";=",
    "[NEC.Section]", R"(%USB\VID_0409&PID_55AA.DeviceDesc%=StandardHub.Dev,USB\VID_0409&PID_55AA)",
    "", ";=",
    "[GenericHub.Section]",
    R"(%USB\CLASS_09&SUBCLASS_01.DeviceDesc%=StandardHub.Dev,USB\CLASS_09&SUBCLASS_01)",
    R"(%USB\CLASS_09.DeviceDesc%=StandardHub.Dev,USB\CLASS_09)",
    "", "", ";=", "",
    "[PLX.Section]", R"(%PCI\VEN_10B5&DEV_9060.DeviceDesc%=PLX.Dev,PCI\VEN_10B5&DEV_9060)",
    "",
    "[PLX.Dev]", "AddReg=PLX.AddReg, USB.AddReg", "CopyFiles=PLX.CopyFiles",
    "",
    "[PLX.AddReg]", "HKR,,NTMPDriver,,pcspeak.sys",
    "",
    "[PLX.CopyFiles]", "pcspeak.sys",
    "", "", ";=", "",
    "[AMD.Section]", R"(%PCI\VEN_1106&DEV_3038.DeviceDesc%=UniversalHCD.Dev,PCI\VEN_1106&DEV_3038)",
    "", ";=", "",
    "[USB.AddReg]", "HKR,,DevLoader,,*NTKERN",
    "",
    "[USB.CopyFiles]", "usbd.sys", ";",
    "",
    "[HUB.AddReg]", "HKR,,DevLoader,,*NTKERN", "HKR,,NTMPDriver,,usbhub.sys",
    "",
    "[HUB.CopyFiles]",
    "",
    "[ControlFlags]",
    "",
    "[DestinationDirs]", "DefaultDestDir = 11             ; System directory",
    "",
    "[Strings]",
    R"(Msft="Microsoft")", R"(USBClassName="Universal serial bus controller")",
    "",
    R"-(Generic.Mfg="(Standard USB Host Controller)")-",
    R"(PCI\CC_0C0310.DeviceDesc="Standard OpenHCD USB Host Controller")",
    R"(PCI\CC_0C0300.DeviceDesc="Standard Universal PCI to USB Host Controller")",
    R"(USB\ROOT_HUB.DeviceDesc="USB Root Hub")",
    "",
    R"(Compaq.Mfg="Compaq")", R"(PCI\VEN_0E11&DEV_A0F8.DeviceDesc="Compaq PCI to USB Open Host Controller")",
    "",
    R"(Intel.Mfg="Intel")",
    R"(PCI\VEN_8086&DEV_7020.DeviceDesc="Intel 82371SB PCI to USB Universal Host Controller")",
    R"(PCI\VEN_8086&DEV_7112.DeviceDesc="Intel 82371AB PCI to USB Universal Host Controller")",
    "",
    R"(Philips.Mfg="Philips")", R"(USB\VID_0471&PID_0201.DeviceDesc="Philips USB Hub")",
    "",
    R"(NEC.Mfg="NEC")", R"(USB\VID_0409&PID_55AA.DeviceDesc="NEC USB Hub")",
    "",
    R"-(GenericHub.Mfg="(Generic USB Hub)")-",
    R"(USB\CLASS_09&SUBCLASS_01.DeviceDesc="Generic USB Hub")",
    R"(USB\CLASS_09.DeviceDesc="Generic USB Hub")",
    "",
    R"(PLX.Mfg="PLX Technology")", R"(PCI\VEN_10B5&DEV_9060.DeviceDesc="PLX USB Test Board")",
    "",
    R"(AMD.Mfg="AMD")", R"(PCI\VEN_1106&DEV_3038.DeviceDesc="AMD-645 PCI to USB Universal Host Controller")",
};
// clang-format on

// ";", then the frame character, a title, and the frame character again.
bool IsFramedTitle(const std::string& line, char frame)
{
    return line.size() > 3 && line[0] == ';' && line[1] == frame && line.back() == frame &&
           line.find_first_not_of(std::string(1, frame) + " ", 1) != std::string::npos;
}

TEST(UsbInfText, FollowsTheFileLayoutLineByLine)
{
    std::vector<std::string> lines = UsbInfLines();
    ASSERT_EQ(lines.size(), 174u);
    ASSERT_EQ(ExpectedUsbInf.size(), 174u);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& want = ExpectedUsbInf[i];
        const std::string& line = lines[i];
        if (want == ";=" || want == ";-")
            EXPECT_TRUE(IsFramedTitle(line, want[1])) << "line " << i + 1 << ": " << line;
        else if (want == ";")
            EXPECT_TRUE(line.size() > 1 && line[0] == ';' && !IsFramedTitle(line, '=') &&
                        !IsFramedTitle(line, '-'))
                << "line " << i + 1 << ": " << line;
        else
            EXPECT_EQ(line, want) << "line " << i + 1;
    }
}

} // namespace
