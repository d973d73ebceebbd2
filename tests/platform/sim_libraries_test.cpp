// LoadLibraryA and friends over real shared objects copied into the machine.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/win32_api.h"
#include "tests/support/test_machine.h"

namespace {

using halvern_test::TestMachine;
namespace fs = std::filesystem;

const fs::path kLibrary = TestMachine::BinDirectory() / "libhalvern_test_library.so";

void Install(TestMachine& pc, const char* windowsPath) {
    fs::copy_file(kLibrary, pc.HostPath(windowsPath), fs::copy_options::overwrite_existing);
}

TEST(SimLibraries, LoadsASharedObjectNamedDllFromTheSystemFolder) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    Install(pc, "C:\\WINDOWS\\SYSTEM32\\testlib.dll");
    EXPECT_EQ(win::GetModuleHandleA("testlib.dll"), nullptr);
    win::HMODULE module = win::LoadLibraryA("TESTLIB.DLL");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(win::GetModuleHandleA("testlib"), module);
    EXPECT_EQ(win::LoadLibraryA("testlib"), module);  // ".dll" is added
    auto add = reinterpret_cast<int (*)(int, int)>(win::GetProcAddress(module, "HalvernTestAdd"));
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add(2, 3), 5);
    EXPECT_EQ(win::GetProcAddress(module, "NoSuchExport"), nullptr);
    EXPECT_EQ(win::GetLastError(), win::ERROR_PROC_NOT_FOUND);
    char path[260];
    EXPECT_EQ(win::GetModuleFileNameA(module, path, sizeof path), 31u);
    EXPECT_STREQ(path, "C:\\WINDOWS\\SYSTEM32\\testlib.dll");
    EXPECT_TRUE(win::FreeLibrary(module));
    EXPECT_TRUE(win::FreeLibrary(module));
    EXPECT_FALSE(win::FreeLibrary(module));
    EXPECT_EQ(win::GetModuleHandleA("testlib.dll"), nullptr);
}

TEST(SimLibraries, SearchOrderProgramFolderFirstThenSystemThenWindows) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    Install(pc, "C:\\WINDOWS\\found.dll");
    win::HMODULE module = win::LoadLibraryA("found.dll");
    ASSERT_NE(module, nullptr);
    char path[260];
    win::GetModuleFileNameA(module, path, sizeof path);
    EXPECT_STREQ(path, "C:\\WINDOWS\\found.dll");
    win::FreeLibrary(module);

    Install(pc, "C:\\Program Files\\Halvern\\found.dll");
    module = win::LoadLibraryA("found.dll");
    ASSERT_NE(module, nullptr);
    win::GetModuleFileNameA(module, path, sizeof path);
    EXPECT_STREQ(path, "C:\\Program Files\\Halvern\\found.dll");
    win::FreeLibrary(module);
}

TEST(SimLibraries, MissingLibraryIsError126AndDeletingTheFileMakesItMissing) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    EXPECT_EQ(win::LoadLibraryA("zuvud.dll"), nullptr);
    EXPECT_EQ(win::GetLastError(), win::ERROR_MOD_NOT_FOUND);
    Install(pc, "C:\\WINDOWS\\SYSTEM32\\zuvud.dll");
    win::HMODULE module = win::LoadLibraryA("zuvud.dll");
    ASSERT_NE(module, nullptr);
    win::FreeLibrary(module);
    pc.Remove("C:\\WINDOWS\\SYSTEM32\\zuvud.dll");
    EXPECT_EQ(win::LoadLibraryA("zuvud.dll"), nullptr);
    EXPECT_EQ(win::GetLastError(), win::ERROR_MOD_NOT_FOUND);
}

TEST(SimLibraries, AFileThatIsNoSharedObjectIsABadFormat) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    pc.WriteFile("C:\\WINDOWS\\SYSTEM32\\junk.dll", "MZ not really");
    testing::internal::CaptureStderr();
    EXPECT_EQ(win::LoadLibraryA("junk.dll"), nullptr);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(win::GetLastError(), 193u);
}

TEST(SimLibraries, ModuleFileNameOfTheProgramAndSizeRules) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    char path[260];
    EXPECT_EQ(win::GetModuleFileNameA(nullptr, path, sizeof path), 37u);
    EXPECT_STREQ(path, "C:\\Program Files\\Halvern\\halvgate.exe");
    std::memset(path, '#', sizeof path);
    EXPECT_EQ(win::GetModuleFileNameA(nullptr, path, 5), 5u);
    EXPECT_EQ(win::GetLastError(), win::ERROR_INSUFFICIENT_BUFFER);
    EXPECT_STREQ(path, "C:\\P");
    EXPECT_NE(win::GetModuleHandleA(nullptr), nullptr);
}

}  // namespace
