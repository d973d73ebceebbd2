// The registry calls of the simulated PC: the documented rules, the .reg hive files behind them,
// a hand-edited file with an error, and two processes writing one hive at once.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/sim/host_file.h"
#include "platform/win32_api.h"
#include "tests/support/test_machine.h"

namespace {

using halvern_test::TestMachine;
constexpr const char* kServiceKey = "System\\CurrentControlSet\\Services\\Halvgate\\Parameters";

std::string HiveText(const TestMachine& pc, const char* file = "HKLM.reg") {
    return winsim::ReadWholeFile(pc.Directory() / "registry" / file).value_or("");
}

TEST(SimRegistry, OpenOfAMissingKeyFailsAndCreatesNothing) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    win::HKEY key = nullptr;
    EXPECT_EQ(win::RegOpenKeyA(win::HKEY_LOCAL_MACHINE, "Software\\Nothing", &key),
              static_cast<win::LONG>(win::ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(HiveText(pc).find("Nothing"), std::string::npos);
}

TEST(SimRegistry, CreateMakesEveryPartAndOpenIgnoresCase) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    win::HKEY key = nullptr;
    ASSERT_EQ(win::RegCreateKeyA(win::HKEY_LOCAL_MACHINE, kServiceKey, &key), 0);
    EXPECT_EQ(win::RegCloseKey(key), 0);
    EXPECT_EQ(win::RegCloseKey(key), static_cast<win::LONG>(win::ERROR_INVALID_HANDLE));
    ASSERT_EQ(win::RegOpenKeyA(win::HKEY_LOCAL_MACHINE,
                               "SYSTEM\\currentcontrolset\\SERVICES\\halvgate\\parameters", &key),
              0);
    win::RegCloseKey(key);
    ASSERT_EQ(win::RegCreateKeyA(win::HKEY_LOCAL_MACHINE, kServiceKey, &key), 0);  // exists: fine
    win::RegCloseKey(key);
    EXPECT_NE(HiveText(pc).find("[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services]"),
              std::string::npos);
}

TEST(SimRegistry, LeadingBackslashIsBadPathname) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    win::HKEY key = nullptr;
    EXPECT_EQ(win::RegOpenKeyA(win::HKEY_LOCAL_MACHINE, "\\System", &key),
              static_cast<win::LONG>(win::ERROR_BAD_PATHNAME));
    EXPECT_EQ(win::RegCreateKeyA(win::HKEY_LOCAL_MACHINE, "\\System", &key),
              static_cast<win::LONG>(win::ERROR_BAD_PATHNAME));
}

TEST(SimRegistry, ValuesKeepExactlyTheGivenBytes) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    win::HKEY key = nullptr;
    ASSERT_EQ(win::RegCreateKeyA(win::HKEY_LOCAL_MACHINE, kServiceKey, &key), 0);
    const char text[] = "C:\\Program Files\\Halvern\\";
    ASSERT_EQ(win::RegSetValueExA(key, "ApplicationPath", 0, win::REG_SZ,
                                  reinterpret_cast<const win::BYTE*>(text), sizeof text),
              0);
    const win::BYTE rescue[20] = {0, 1, 2, 0xFF, 0x80, 0, 0, 7};
    ASSERT_EQ(win::RegSetValueExA(key, "Rescue", 0, win::REG_BINARY, rescue, sizeof rescue), 0);
    const win::BYTE flag = 1;
    ASSERT_EQ(win::RegSetValueExA(key, "bLogToFile", 0, win::REG_BINARY, &flag, 1), 0);

    win::BYTE buffer[250];
    win::DWORD size = sizeof buffer;
    win::DWORD type = 0;
    ASSERT_EQ(win::RegQueryValueExA(key, "applicationpath", nullptr, &type, buffer, &size), 0);
    EXPECT_EQ(size, sizeof text);
    EXPECT_EQ(type, win::REG_SZ);
    EXPECT_EQ(std::memcmp(buffer, text, sizeof text), 0);
    size = sizeof buffer;
    ASSERT_EQ(win::RegQueryValueExA(key, "Rescue", nullptr, &type, buffer, &size), 0);
    EXPECT_EQ(size, 20u);
    EXPECT_EQ(std::memcmp(buffer, rescue, 20), 0);
    std::uint32_t wide = 0;  // a 1-byte flag read into a 4-byte variable
    size = sizeof wide;
    ASSERT_EQ(win::RegQueryValueExA(key, "bLogToFile", nullptr, nullptr,
                                    reinterpret_cast<win::BYTE*>(&wide), &size),
              0);
    EXPECT_EQ(size, 1u);
    EXPECT_EQ(wide, 1u);
    win::RegCloseKey(key);
}

TEST(SimRegistry, QueryBufferRules) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    win::HKEY key = nullptr;
    ASSERT_EQ(win::RegCreateKeyA(win::HKEY_LOCAL_MACHINE, "Software\\Test", &key), 0);
    const win::BYTE data[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ASSERT_EQ(win::RegSetValueExA(key, "Ten", 0, win::REG_BINARY, data, 10), 0);

    win::BYTE buffer[16];
    std::memset(buffer, 0xEE, sizeof buffer);
    win::DWORD size = 4;
    EXPECT_EQ(win::RegQueryValueExA(key, "Ten", nullptr, nullptr, buffer, &size),
              static_cast<win::LONG>(win::ERROR_MORE_DATA));
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(buffer[0], 0xEE);  // untouched

    size = 0;
    EXPECT_EQ(win::RegQueryValueExA(key, "Ten", nullptr, nullptr, nullptr, &size), 0);
    EXPECT_EQ(size, 10u);

    size = sizeof buffer;
    EXPECT_EQ(win::RegQueryValueExA(key, "Ten", nullptr, nullptr, buffer, &size), 0);
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(buffer[10], 0xEE);  // nothing past the stored size

    EXPECT_EQ(win::RegQueryValueExA(key, "Missing", nullptr, nullptr, buffer, &size),
              static_cast<win::LONG>(win::ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(win::RegDeleteValueA(key, "ten"), 0);
    EXPECT_EQ(win::RegDeleteValueA(key, "ten"), static_cast<win::LONG>(win::ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(win::RegQueryValueExA(key, "Ten", nullptr, nullptr, buffer, &size),
              static_cast<win::LONG>(win::ERROR_FILE_NOT_FOUND));
    win::RegCloseKey(key);
}

TEST(SimRegistry, TheSuiteSetupValuesAreThere) {
    TestMachine pc;  // NT, as halvern-machine init makes it
    win::HKEY key = nullptr;
    ASSERT_EQ(win::RegOpenKeyA(win::HKEY_LOCAL_MACHINE, kServiceKey, &key), 0);
    char buffer[250];
    win::DWORD size = sizeof buffer;
    ASSERT_EQ(win::RegQueryValueExA(key, "ApplicationPath", nullptr, nullptr,
                                    reinterpret_cast<win::BYTE*>(buffer), &size),
              0);
    EXPECT_STREQ(buffer, "C:\\Program Files\\Halvern\\");
    EXPECT_EQ(size, std::strlen(buffer) + 1);
    win::RegCloseKey(key);

    ASSERT_EQ(win::RegOpenKeyA(win::HKEY_CLASSES_ROOT, "http\\shell\\open\\command", &key), 0);
    size = sizeof buffer;
    ASSERT_EQ(win::RegQueryValueExA(key, nullptr, nullptr, nullptr,
                                    reinterpret_cast<win::BYTE*>(buffer), &size),
              0);
    EXPECT_STREQ(buffer, "\"C:\\Program Files\\Web Browser\\browser.exe\"");
    win::RegCloseKey(key);

    EXPECT_EQ(win::RegOpenKeyA(win::HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\VxD\\nolx", &key),
              static_cast<win::LONG>(win::ERROR_FILE_NOT_FOUND));
}

TEST(SimRegistry, NineXSetupHasTheVxdKey) {
    TestMachine pc(winsim::Family::Win9x);
    win::HKEY key = nullptr;
    ASSERT_EQ(win::RegOpenKeyA(win::HKEY_LOCAL_MACHINE,
                               "System\\CurrentControlSet\\Services\\VxD\\nolx", &key),
              0);
    win::RegCloseKey(key);
    ASSERT_EQ(win::RegOpenKeyA(win::HKEY_LOCAL_MACHINE, kServiceKey, &key), 0);
    win::RegCloseKey(key);
}

TEST(SimRegistry, AHandEditedErrorIsReportedAndTheFileIsNeverOverwritten) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    const std::string broken =
        "Windows Registry Editor Version 5.00\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Test]\r\n"
        "\"Good\"=dword:00000001\r\n"
        "\"Bad\"=dword:xyz\r\n";
    const auto file = pc.Directory() / "registry/HKLM.reg";
    std::string error;
    ASSERT_TRUE(winsim::ReplaceFile(file, broken, error));

    win::HKEY key = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_EQ(win::RegOpenKeyA(win::HKEY_LOCAL_MACHINE, "Software\\Test", &key),
              static_cast<win::LONG>(win::ERROR_BADDB));
    EXPECT_EQ(win::RegCreateKeyA(win::HKEY_LOCAL_MACHINE, "Software\\Other", &key),
              static_cast<win::LONG>(win::ERROR_BADDB));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("HKLM.reg:5"), std::string::npos) << said;
    EXPECT_EQ(winsim::ReadWholeFile(file).value_or(""), broken);
    // The other hive is not affected.
    EXPECT_EQ(win::RegCreateKeyA(win::HKEY_CLASSES_ROOT, "txtfile", &key), 0);
    win::RegCloseKey(key);
}

TEST(SimRegistry, AHiveFileIsValidRegeditText) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    win::HKEY key = nullptr;
    ASSERT_EQ(win::RegCreateKeyA(win::HKEY_LOCAL_MACHINE, "Software\\B", &key), 0);
    const win::BYTE one[4] = {1, 0, 0, 0};
    win::RegSetValueExA(key, "Count", 0, win::REG_DWORD, one, 4);
    win::RegCloseKey(key);
    ASSERT_EQ(win::RegCreateKeyA(win::HKEY_LOCAL_MACHINE, "Software\\A", &key), 0);
    win::RegCloseKey(key);
    EXPECT_EQ(HiveText(pc),
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n"
              "\r\n[HKEY_LOCAL_MACHINE\\Software\\A]\r\n"
              "\r\n[HKEY_LOCAL_MACHINE\\Software\\B]\r\n"
              "\"Count\"=dword:00000001\r\n"
              "\r\n");
}

TEST(SimRegistry, TwoProcessesWritingOneHiveLoseNothing) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    constexpr int kWrites = 40;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    const char* const who = child == 0 ? "child" : "parent";
    for (int i = 0; i < kWrites; ++i) {
        win::HKEY key = nullptr;
        const std::string path = std::string("Software\\") + who;
        if (win::RegCreateKeyA(win::HKEY_LOCAL_MACHINE, path.c_str(), &key) != 0) {
            if (child == 0) {
                ::_exit(1);
            }
            ADD_FAILURE() << "create failed";
            continue;
        }
        const std::string name = "v" + std::to_string(i);
        const win::BYTE byte = static_cast<win::BYTE>(i);
        if (win::RegSetValueExA(key, name.c_str(), 0, win::REG_BINARY, &byte, 1) != 0 &&
            child == 0) {
            ::_exit(1);
        }
        win::RegCloseKey(key);
    }
    if (child == 0) {
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    for (const char* name : {"child", "parent"}) {
        win::HKEY key = nullptr;
        ASSERT_EQ(win::RegOpenKeyA(win::HKEY_LOCAL_MACHINE, (std::string("Software\\") + name).c_str(),
                                   &key),
                  0);
        for (int i = 0; i < kWrites; ++i) {
            win::BYTE byte = 0;
            win::DWORD size = 1;
            ASSERT_EQ(win::RegQueryValueExA(key, ("v" + std::to_string(i)).c_str(), nullptr,
                                            nullptr, &byte, &size),
                      0)
                << name << " v" << i;
            EXPECT_EQ(byte, i);
        }
        win::RegCloseKey(key);
    }
}

}  // namespace
