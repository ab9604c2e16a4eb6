// Removal of the chipset functions' enumeration branches against the real
// registry of a throwaway Wine prefix. Wine, like Windows NT, refuses to
// delete a key that has subkeys, so these branches only go when every key
// beneath them was deleted first.
#include "devreg/enum_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// Creates HKEY_LOCAL_MACHINE\path (with the keys above it) through the real
// API, with a string value when name is given. One level at a time, each
// relative to the one above: Wine refuses an ANSI path longer than MAX_PATH
// as a whole, though each of its names may be 255 characters long.
void AddKey(const std::string& path, const char* name = nullptr, const char* data = "")
{
    HKEY key = HKEY_LOCAL_MACHINE;
    std::string::size_type start = 0;
    while (start <= path.size()) {
        std::string::size_type end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        HKEY child;
        const LONG status =
            RegCreateKeyExA(key, path.substr(start, end - start).c_str(), 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &child, nullptr);
        if (key != HKEY_LOCAL_MACHINE)
            RegCloseKey(key);
        ASSERT_EQ(status, ERROR_SUCCESS) << path;
        key = child;
        start = end + 1;
    }
    if (name != nullptr) {
        EXPECT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                                 static_cast<DWORD>(std::string(data).size() + 1)),
                  ERROR_SUCCESS)
            << path;
    }
    RegCloseKey(key);
}

// ERROR_SUCCESS when HKEY_LOCAL_MACHINE\path exists, ERROR_FILE_NOT_FOUND
// when it does not.
LONG Probe(const std::string& path)
{
    HKEY key;
    const LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key);
    if (status == ERROR_SUCCESS)
        RegCloseKey(key);
    return status;
}

// The string value name of HKEY_LOCAL_MACHINE\path, or "(none)".
std::string ValueOf(const std::string& path, const char* name)
{
    char data[64];
    DWORD size = sizeof data;
    DWORD type = 0;
    HKEY key;
    std::string value = "(none)";
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ)
            value = std::string(data);
        RegCloseKey(key);
    }
    return value;
}

const char* const Branches[] = {
    "Enum\\PCI\\VEN_1106&DEV_0586",
    "Enum\\PCI\\VEN_1106&DEV_1595",
    "Enum\\PCI\\VEN_1106&DEV_3038",
    "Enum\\PCI\\VEN_1106&DEV_3040",
};

TEST(EnumKeysOnWine, BranchesGoWithEveryKeyBeneathAndTheRestStays)
{
    const std::string longName(255, 'N'); // the longest key name there is
    AddKey("Enum\\PCI", "Class", "PCI bus");
    AddKey("Enum\\PCI\\VEN_1106&DEV_0586\\0000", "DeviceDesc", "ISA bridge");
    AddKey("Enum\\PCI\\VEN_1106&DEV_0586\\0000\\Device Parameters", "Irq", "9");
    AddKey("Enum\\PCI\\VEN_1106&DEV_0586\\0001\\Device Parameters\\A\\B", "Deep", "yes");
    AddKey("Enum\\PCI\\VEN_1106&DEV_1595\\" + longName, "DeviceDesc", "Host bridge");
    AddKey("Enum\\PCI\\VEN_1106&DEV_3038", "DeviceDesc", "USB");
    AddKey("Enum\\pci\\ven_1106&dev_3040\\0000\\LogConfig", "Boot", "1");
    AddKey("Enum\\PCI\\VEN_1106&DEV_0571\\0000", "DeviceDesc", "IDE");
    AddKey("Enum\\PCI\\VEN_1106&DEV_3038&SUB\\0000", "DeviceDesc", "Look-alike");
    AddKey("Enum\\Root\\*PNP0C01\\0000", "DeviceDesc", "System board");

    for (int run = 1; run <= 2; ++run) { // the second run finds nothing to do
        RemoveDeviceKeys();
        for (const char* branch : Branches)
            EXPECT_EQ(Probe(branch), ERROR_FILE_NOT_FOUND) << branch << ", run " << run;
        EXPECT_EQ(ValueOf("Enum\\PCI", "Class"), "PCI bus") << "run " << run;
        EXPECT_EQ(ValueOf("Enum\\PCI\\VEN_1106&DEV_0571\\0000", "DeviceDesc"), "IDE");
        EXPECT_EQ(ValueOf("Enum\\PCI\\VEN_1106&DEV_3038&SUB\\0000", "DeviceDesc"), "Look-alike");
        EXPECT_EQ(ValueOf("Enum\\Root\\*PNP0C01\\0000", "DeviceDesc"), "System board");
    }
}

TEST(EnumKeysOnWine, ResultTellsWhetherTheParentOpened)
{
    // An absent branch beneath a parent that is missing too: the parent is
    // created, and neither is a failure.
    const std::string parent = "Software\\Morvane tests\\Enum";
    ASSERT_EQ(Probe(parent), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(DeleteEnumKey(HKEY_LOCAL_MACHINE, parent.c_str(), "PCI\\VEN_1106&DEV_0586"), 1);
    EXPECT_EQ(Probe(parent), ERROR_SUCCESS);

    const HKEY noKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x4321));
    EXPECT_EQ(DeleteEnumKey(noKey, "Enum", "PCI\\VEN_1106&DEV_0586"), 0);
}

} // namespace
