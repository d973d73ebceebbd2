#include "common/registry_store.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/os_family.h"
#include "common/registry_keys.h"
#include "platform/sim/fault_injecting_system.h"
#include "platform/system.h"
#include "platform/win32_api.h"
#include "tests/support/test_machine.h"

namespace halvern {
namespace {

using halvern_test::TestMachine;

std::vector<std::uint8_t> Bytes(std::size_t count, std::uint8_t value) {
    return std::vector<std::uint8_t>(count, value);
}

// The capacities: a value up to the capacity reads, one byte more reads as absent and leaves
// the zero-filled variable alone.
TEST(RegistryStore, ValueLongerThanTheCapacityReadsAsAbsent) {
    TestMachine pc;
    CRegistryStore store;
    struct Case {
        std::size_t stored;
        bool legacy;
        bool readable;
    };
    const Case cases[] = {
        {250, false, true}, {251, false, false}, {180, true, true}, {181, true, false}};
    for (const Case& c : cases) {
        const auto value = Bytes(c.stored, 0x5A);
        const char* key = c.legacy ? kVxdKey : kServiceKey;
        ASSERT_TRUE(store.WriteBinaryValue(win::HKEY_LOCAL_MACHINE, key, "Big", value.data(),
                                           static_cast<win::DWORD>(value.size())));
        std::vector<std::uint8_t> buffer(512, 0);
        const bool read =
            c.legacy ? store.ReadLegacyValue("Big", buffer.data(), 512)
                     : store.ReadValue(win::HKEY_LOCAL_MACHINE, key, "Big", buffer.data(), 512);
        EXPECT_EQ(read, c.readable) << c.stored << " bytes, legacy " << c.legacy;
        EXPECT_EQ(buffer[0], c.readable ? 0x5A : 0) << c.stored;
    }
}

TEST(RegistryStore, CapacityNeverExceedsTheCallersBuffer) {
    TestMachine pc;
    CRegistryStore store;
    const std::uint32_t big = 0x01020304;
    ASSERT_TRUE(store.WriteBinaryValue(win::HKEY_LOCAL_MACHINE, kServiceKey, "nWide", &big, 4));
    std::uint8_t guard[4] = {0, 0, 0xEE, 0xEE};
    EXPECT_FALSE(store.ReadValue(win::HKEY_LOCAL_MACHINE, kServiceKey, "nWide", guard, 2));
    EXPECT_EQ(guard[2], 0xEE);
    EXPECT_EQ(guard[0], 0);
}

TEST(RegistryStore, AbsentValueOrKeyReadsAsZeroAndCreatesNothing) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    CRegistryStore store;
    std::uint32_t flag = 0;
    EXPECT_FALSE(store.ReadValue(win::HKEY_LOCAL_MACHINE, kServiceKey, reg::kLoginOnly, &flag, 4));
    EXPECT_EQ(flag, 0u);
    win::HKEY key = nullptr;
    EXPECT_EQ(win::RegOpenKeyA(win::HKEY_LOCAL_MACHINE, kServiceKey, &key),
              static_cast<win::LONG>(win::ERROR_FILE_NOT_FOUND));
}

TEST(RegistryStore, FirstWriteCreatesTheKeyPath) {
    TestMachine pc(winsim::Family::Win9x, TestMachine::Setup::Bare);
    CRegistryStore store;
    const std::uint32_t one = 1;
    ASSERT_TRUE(
        store.WriteBinaryValue(win::HKEY_LOCAL_MACHINE, kServiceKey, reg::kDisableEnable, &one, 4));
    std::uint32_t read = 0;
    EXPECT_TRUE(
        store.ReadValue(win::HKEY_LOCAL_MACHINE, kServiceKey, reg::kDisableEnable, &read, 4));
    EXPECT_EQ(read, 1u);
}

// On Windows 9x the hotkey flags are one byte wide; read into a zero-filled 4-byte variable they
// give 0 or 1.
TEST(RegistryStore, OneByteFlagReadsIntoAFourByteVariable) {
    TestMachine pc(winsim::Family::Win9x);
    CRegistryStore store;
    const std::uint8_t on = 1;
    ASSERT_TRUE(store.WriteLegacyBinaryValue(reg::kHotkeyLogin, &on, 1));
    std::uint32_t flag = 0;
    ASSERT_TRUE(store.ReadLegacyValue(reg::kHotkeyLogin, &flag, sizeof(flag)));
    EXPECT_EQ(flag, 1u);
}

TEST(RegistryStore, StringsAreStoredWithTheSizeTheCallerPasses) {
    TestMachine pc;
    CRegistryStore store;
    const std::string path = "D:\\CONFIG";
    ASSERT_TRUE(store.WriteStringValue(win::HKEY_LOCAL_MACHINE, kServiceKey, reg::kConfigLocation,
                                       path.c_str(), static_cast<win::DWORD>(path.size() + 1)));
    win::HKEY key = nullptr;
    ASSERT_EQ(win::RegOpenKeyA(win::HKEY_LOCAL_MACHINE, kServiceKey, &key), 0);
    win::DWORD type = 0;
    win::DWORD size = 0;
    ASSERT_EQ(win::RegQueryValueExA(key, reg::kConfigLocation, nullptr, &type, nullptr, &size), 0);
    win::RegCloseKey(key);
    EXPECT_EQ(type, win::REG_SZ);
    EXPECT_EQ(size, path.size() + 1);
    char text[64] = {};
    EXPECT_TRUE(store.ReadValue(win::HKEY_LOCAL_MACHINE, kServiceKey, reg::kConfigLocation, text,
                                sizeof(text)));
    EXPECT_EQ(std::string(text), path);
}

TEST(RegistryStore, ReadsTheBrowserCommandFromClassesRoot) {
    TestMachine pc;
    char command[250] = {};
    ASSERT_TRUE(CRegistryStore().ReadValue(win::HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "",
                                           command, sizeof(command)));
    EXPECT_NE(std::string(command).find("browser.exe"), std::string::npos);
}

TEST(OsFamily, ReportsTheMachinesPlatform) {
    {
        TestMachine nt(winsim::Family::Nt, TestMachine::Setup::Bare);
        EXPECT_EQ(COsFamily().GetPlatformId(), win::VER_PLATFORM_WIN32_NT);
    }
    TestMachine old(winsim::Family::Win9x, TestMachine::Setup::Bare);
    EXPECT_EQ(COsFamily().GetPlatformId(), win::VER_PLATFORM_WIN32_WINDOWS);
}

// A platform whose version query fails, as an unknown Windows may.
class NoVersionSystem : public winsim::FaultInjectingSystem {
  public:
    using FaultInjectingSystem::FaultInjectingSystem;
    win::BOOL GetVersionExA(win::OSVERSIONINFOA*) override { return win::FALSE; }
};

TEST(OsFamily, FailedVersionQueryGivesZeroAndTheNtForms) {
    TestMachine pc(winsim::Family::Win9x, TestMachine::Setup::Bare);
    NoVersionSystem failing(pc.System());
    win::ScopedSystem installed(failing);
    const win::DWORD id = COsFamily().GetPlatformId();
    EXPECT_EQ(id, 0u);
    EXPECT_FALSE(IsWindows9x(id));
    EXPECT_STREQ(FamilyKey(id), kServiceKey);
}

// Only platform id 1 selects the Windows 9x forms; 0 (a failed query), 2 and anything else take
// the NT forms.
TEST(OsFamily, OnlyPlatformOneIsWindows9x) {
    struct Case {
        win::DWORD id;
        bool is9x;
    };
    for (const Case& c : {Case{0, false}, Case{1, true}, Case{2, false}, Case{3, false}}) {
        EXPECT_EQ(IsWindows9x(c.id), c.is9x) << c.id;
        EXPECT_STREQ(FamilyKey(c.id), c.is9x ? kVxdKey : kServiceKey) << c.id;
    }
}

}  // namespace
}  // namespace halvern
