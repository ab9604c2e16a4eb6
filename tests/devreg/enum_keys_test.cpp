// Removal of the chipset functions' enumeration branches, over the in-memory
// registry, which refuses to delete a key that has subkeys as Windows NT does.
#include "devreg/enum_keys.h"
#include "platform/host/call_log.h"
#include "platform/host/host_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using Lines = std::vector<std::string>;

class EnumKeys : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host::RegistryReset();
        host::CallLogClear();
    }

    void TearDown() override { EXPECT_EQ(host::RegistryOpenHandles(), 0u) << "a key stayed open"; }
};

// A chain of depth keys beneath path, each level named "L<n>".
void AddChain(std::string path, int depth)
{
    for (int level = 1; level <= depth; ++level)
        path += "\\L" + std::to_string(level);
    host::RegistryAddKey(path);
}

TEST_F(EnumKeys, BranchesGoWithEveryKeyBeneathAndNothingElseDoes)
{
    const std::string longName(255, 'N'); // the longest key name there is
    host::RegistrySetValue("Enum\\PCI", "Class", "PCI bus");
    host::RegistrySetValue("Enum\\PCI\\VEN_1106&DEV_0586\\0000", "DeviceDesc", "ISA bridge");
    host::RegistrySetValue("Enum\\PCI\\VEN_1106&DEV_0586\\0000\\Device Parameters", "Irq", "9");
    host::RegistryAddKey("Enum\\PCI\\VEN_1106&DEV_1595\\0000");
    host::RegistryAddKey("Enum\\PCI\\VEN_1106&DEV_1595\\" + longName);
    host::RegistryAddKey("Enum\\PCI\\VEN_1106&DEV_3038"); // a branch without subkeys
    AddChain("Enum\\pci\\ven_1106&dev_3040", 6);          // spelled in lower case
    // Neighbours that stay: same vendor, a name that begins like a branch,
    // another vendor, another bus.
    host::RegistrySetValue("Enum\\PCI\\VEN_1106&DEV_0571\\0000", "DeviceDesc", "IDE");
    host::RegistryAddKey("Enum\\PCI\\VEN_1106&DEV_3038&SUB\\0000");
    host::RegistryAddKey("Enum\\PCI\\VEN_8086&DEV_7110\\0000");
    host::RegistryAddKey("Enum\\Root\\*PNP0C01\\0000");

    const Lines kept = {
        "Enum",
        "Enum\\PCI",
        "Enum\\PCI [Class] = PCI bus",
        "Enum\\PCI\\VEN_1106&DEV_0571",
        "Enum\\PCI\\VEN_1106&DEV_0571\\0000",
        "Enum\\PCI\\VEN_1106&DEV_0571\\0000 [DeviceDesc] = IDE",
        "Enum\\PCI\\VEN_1106&DEV_3038&SUB",
        "Enum\\PCI\\VEN_1106&DEV_3038&SUB\\0000",
        "Enum\\PCI\\VEN_8086&DEV_7110",
        "Enum\\PCI\\VEN_8086&DEV_7110\\0000",
        "Enum\\Root",
        "Enum\\Root\\*PNP0C01",
        "Enum\\Root\\*PNP0C01\\0000",
    };
    RemoveDeviceKeys();
    EXPECT_EQ(host::RegistryDump(), kept);

    // A second run finds nothing left to delete and changes nothing.
    RemoveDeviceKeys();
    EXPECT_EQ(host::RegistryDump(), kept);
}

TEST_F(EnumKeys, EachBranchOpensEnumWithTheFixedArgumentsInOrder)
{
    // No branch present: every call opens Enum, deletes nothing, closes it.
    host::RegistryAddKey("Enum\\PCI");
    RemoveDeviceKeys();
    const char* const open = "RegCreateKeyExA(0x80000002, \"Enum\", 0, null, 1, 983103, null, "
                             "key, disposition)"; // options REG_OPTION_VOLATILE, KEY_ALL_ACCESS
    EXPECT_EQ(host::CallLogOf({"RegCreateKeyExA", "RegDeleteKeyA", "RegCloseKey"}),
              (Lines{
                  open,
                  "RegDeleteKeyA(0x1000, \"PCI\\VEN_1106&DEV_0586\")",
                  "RegCloseKey(0x1000)",
                  open,
                  "RegDeleteKeyA(0x1004, \"PCI\\VEN_1106&DEV_1595\")",
                  "RegCloseKey(0x1004)",
                  open,
                  "RegDeleteKeyA(0x1008, \"PCI\\VEN_1106&DEV_3038\")",
                  "RegCloseKey(0x1008)",
                  open,
                  "RegDeleteKeyA(0x100c, \"PCI\\VEN_1106&DEV_3040\")",
                  "RegCloseKey(0x100c)",
              }));
    EXPECT_EQ(host::RegistryDump(), (Lines{"Enum", "Enum\\PCI"}));
}

TEST_F(EnumKeys, ResultTellsWhetherTheParentOpened)
{
    // A missing parent is created, and the absent branch is no failure.
    EXPECT_EQ(DeleteEnumKey(HKEY_LOCAL_MACHINE, "Enum", "PCI\\VEN_1106&DEV_0586"), 1);
    EXPECT_EQ(host::RegistryDump(), Lines{"Enum"});

    host::CallLogClear();
    host::RegistryAddKey("Enum\\PCI\\VEN_1106&DEV_0586");
    const HKEY noKey = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x4321));
    EXPECT_EQ(DeleteEnumKey(noKey, "Enum", "PCI\\VEN_1106&DEV_0586"), 0);
    EXPECT_TRUE(host::RegistryHasKey("Enum\\PCI\\VEN_1106&DEV_0586"));
    EXPECT_EQ(host::CallLogOf({"RegDeleteKeyA", "RegCloseKey"}), Lines{})
        << "nothing may be deleted or closed beneath a parent that did not open";
}

TEST_F(EnumKeys, KeyThatCannotBeDeletedStopsOnlyItsOwnBranch)
{
    const std::string stuck = "Enum\\PCI\\VEN_1106&DEV_0586\\0000\\Device Parameters";
    host::RegistryAddKey(stuck);
    host::RegistryProtectKey(stuck);
    host::RegistryAddKey("Enum\\PCI\\VEN_1106&DEV_0586\\0001");
    host::RegistryAddKey("Enum\\PCI\\VEN_1106&DEV_1595\\0000");

    RemoveDeviceKeys(); // must come back: a refused key is not retried forever

    EXPECT_TRUE(host::RegistryHasKey(stuck));
    EXPECT_FALSE(host::RegistryHasKey("Enum\\PCI\\VEN_1106&DEV_1595"));
}

TEST_F(EnumKeys, DeletionGoesDownAFixedNumberOfLevels)
{
    const struct {
        int depth;
        bool deleted;
    } cases[] = {
        {ENUM_BRANCH_MAX_DEPTH, true},
        {ENUM_BRANCH_MAX_DEPTH + 1, false},
    };
    for (const auto& c : cases) {
        host::RegistryReset();
        AddChain("Enum\\PCI\\VEN_1106&DEV_3040", c.depth);
        EXPECT_EQ(DeleteEnumKey(HKEY_LOCAL_MACHINE, "Enum", "PCI\\VEN_1106&DEV_3040"), 1);
        EXPECT_EQ(host::RegistryHasKey("Enum\\PCI\\VEN_1106&DEV_3040"), !c.deleted)
            << c.depth << " levels";
        EXPECT_EQ(host::RegistryOpenHandles(), 0u) << c.depth << " levels";
    }
}

} // namespace
