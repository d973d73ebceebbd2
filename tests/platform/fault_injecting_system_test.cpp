// The fault injector: each kind of fault, and everything else passing through.
#include "platform/sim/fault_injecting_system.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/win32_api.h"
#include "tests/support/test_machine.h"

namespace {

using halvern_test::TestMachine;
using winsim::FaultInjectingSystem;

TEST(FaultInjectingSystem, FailsTheOpenOfAMatchingPath) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    pc.WriteFile("C:\\WINDOWS\\DO2000IF.CFG", "x");
    pc.WriteFile("C:\\WINDOWS\\other.txt", "x");
    FaultInjectingSystem faults(pc.System());
    win::ScopedSystem installed(faults);
    faults.FailOpen("do2000if.cfg", win::ERROR_SHARING_VIOLATION);
    EXPECT_EQ(win::_lopen("C:\\WINDOWS\\DO2000IF.CFG", win::OF_READ), win::HFILE_ERROR);
    EXPECT_EQ(win::GetLastError(), win::ERROR_SHARING_VIOLATION);
    EXPECT_EQ(win::_lcreat("C:\\WINDOWS\\do2000if.cfg", 0), win::HFILE_ERROR);
    const win::HFILE other = win::_lopen("C:\\WINDOWS\\other.txt", win::OF_READ);
    EXPECT_NE(other, win::HFILE_ERROR);
    win::_lclose(other);
    EXPECT_EQ(faults.FaultsInjected(), 2);
    faults.Clear();
    const win::HFILE again = win::_lopen("C:\\WINDOWS\\DO2000IF.CFG", win::OF_READ);
    EXPECT_NE(again, win::HFILE_ERROR);
    win::_lclose(again);
}

TEST(FaultInjectingSystem, ShortWritesTakeOnlyNBytes) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    FaultInjectingSystem faults(pc.System());
    win::ScopedSystem installed(faults);
    faults.ShortWrites(3, "C:\\*.BIN");
    const win::HFILE file = win::_lcreat("C:\\f.bin", 0);
    EXPECT_EQ(win::_lwrite(file, "abcdef", 6), 3u);
    EXPECT_EQ(win::_lwrite(file, "gh", 2), 2u);
    win::_lclose(file);
    EXPECT_EQ(pc.ReadFile("C:\\f.bin"), "abcgh");
}

TEST(FaultInjectingSystem, TheDiskFillsAfterNBytes) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    FaultInjectingSystem faults(pc.System());
    win::ScopedSystem installed(faults);
    faults.DiskFullAfter(5);
    const win::HFILE file = win::_lcreat("C:\\f.bin", 0);
    EXPECT_EQ(win::_lwrite(file, "abc", 3), 3u);
    EXPECT_EQ(win::_lwrite(file, "defg", 4), static_cast<win::UINT>(win::HFILE_ERROR));
    EXPECT_EQ(win::GetLastError(), win::ERROR_DISK_FULL);
    EXPECT_EQ(win::_lwrite(file, "h", 1), static_cast<win::UINT>(win::HFILE_ERROR));
    win::_lclose(file);
    EXPECT_EQ(pc.ReadFile("C:\\f.bin"), "abcde");
}

TEST(FaultInjectingSystem, DevicesLibrariesExportsAndRegistryWrites) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    const auto library = TestMachine::BinDirectory() / "libhalvern_test_library.so";
    std::filesystem::copy_file(library, pc.HostPath("C:\\WINDOWS\\SYSTEM32\\zuvud.dll"));
    std::filesystem::copy_file(library, pc.HostPath("C:\\WINDOWS\\SYSTEM32\\qtdrv.dll"));
    pc.EditSettings([&](winsim::MachineSettings& settings) {
        settings.devices["Halvgate"] = {library.string(), winsim::Family::Nt};
    });
    FaultInjectingSystem faults(pc.System());
    win::ScopedSystem installed(faults);

    faults.DeviceNotLoaded("halvgate");
    EXPECT_EQ(win::CreateFileA("\\\\.\\Halvgate", win::GENERIC_READ | win::GENERIC_WRITE, 0,
                               nullptr, win::OPEN_EXISTING, 0, nullptr),
              win::INVALID_HANDLE_VALUE);
    EXPECT_EQ(win::GetLastError(), win::ERROR_FILE_NOT_FOUND);

    faults.MissingLibrary("ZUVUD");
    EXPECT_EQ(win::LoadLibraryA("zuvud.dll"), nullptr);
    EXPECT_EQ(win::GetLastError(), win::ERROR_MOD_NOT_FOUND);

    faults.MissingExport("qtdrv.dll", "HalvernTestAdd");
    win::HMODULE qtdrv = win::LoadLibraryA("qtdrv.dll");
    ASSERT_NE(qtdrv, nullptr);
    EXPECT_EQ(win::GetProcAddress(qtdrv, "HalvernTestAdd"), nullptr);
    EXPECT_EQ(win::GetLastError(), win::ERROR_PROC_NOT_FOUND);
    EXPECT_NE(win::GetProcAddress(qtdrv, "HalvernDeviceControl"), nullptr);
    win::FreeLibrary(qtdrv);

    faults.FailRegistryWrite("Rescue");
    win::HKEY key = nullptr;
    ASSERT_EQ(win::RegCreateKeyA(win::HKEY_LOCAL_MACHINE, "Software\\T", &key), 0);
    const win::BYTE byte = 1;
    EXPECT_EQ(win::RegSetValueExA(key, "rescue", 0, win::REG_BINARY, &byte, 1),
              static_cast<win::LONG>(win::ERROR_ACCESS_DENIED));
    EXPECT_EQ(win::RegSetValueExA(key, "Other", 0, win::REG_BINARY, &byte, 1), 0);
    win::DWORD size = 1;
    win::BYTE read = 0;
    EXPECT_EQ(win::RegQueryValueExA(key, "Rescue", nullptr, nullptr, &read, &size),
              static_cast<win::LONG>(win::ERROR_FILE_NOT_FOUND));
    win::RegCloseKey(key);
    EXPECT_EQ(faults.FaultsInjected(), 4);
}

}  // namespace
