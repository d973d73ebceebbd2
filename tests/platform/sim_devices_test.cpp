// CreateFileA on \\.\NAME and DeviceIoControl: registered devices, driver libraries, families.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/win32_api.h"
#include "tests/support/test_machine.h"

namespace {

using halvern_test::TestMachine;

const std::string kLibrary = (TestMachine::BinDirectory() / "libhalvern_test_library.so").string();

// An in-process device: code 1 answers with four bytes, others fail with ERROR_GEN_FAILURE.
class Answering : public winsim::IDevice {
  public:
    bool Control(HalvernDeviceCall& call) override {
        ++calls;
        if (call.code != 1 || call.outSize < 4) {
            call.error = win::ERROR_GEN_FAILURE;
            return false;
        }
        std::memcpy(call.out, "ABCD", 4);
        call.bytesReturned = 4;
        return true;
    }
    int calls = 0;
};

win::HANDLE OpenNt(const char* name) {
    return win::CreateFileA(name, win::GENERIC_READ | win::GENERIC_WRITE, 0, nullptr,
                            win::OPEN_EXISTING, 0, nullptr);
}

win::HANDLE Open9x(const char* name) {
    return win::CreateFileA(name, 0, 0, nullptr, 0, win::FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

TEST(SimDevices, ARegisteredDeviceAnswersAndFailuresLeaveBytesReturnedAlone) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    auto device = std::make_shared<Answering>();
    pc.System().RegisterDevice("Test", device);
    win::HANDLE handle = OpenNt("\\\\.\\test");
    ASSERT_NE(handle, win::INVALID_HANDLE_VALUE);
    char out[8] = {};
    win::DWORD returned = 99;
    EXPECT_TRUE(win::DeviceIoControl(handle, 1, nullptr, 0, out, sizeof out, &returned, nullptr));
    EXPECT_EQ(returned, 4u);
    EXPECT_EQ(std::string(out, 4), "ABCD");
    returned = 77;
    EXPECT_FALSE(win::DeviceIoControl(handle, 2, nullptr, 0, out, sizeof out, &returned, nullptr));
    EXPECT_EQ(win::GetLastError(), win::ERROR_GEN_FAILURE);
    EXPECT_EQ(returned, 77u);
    EXPECT_TRUE(win::CloseHandle(handle));
    EXPECT_FALSE(win::CloseHandle(handle));
    EXPECT_FALSE(win::DeviceIoControl(handle, 1, nullptr, 0, out, sizeof out, &returned, nullptr));
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_HANDLE);
    EXPECT_EQ(device->calls, 2);
}

TEST(SimDevices, ADeviceNotListedIsNotThere) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    EXPECT_EQ(OpenNt("\\\\.\\Halvgate"), win::INVALID_HANDLE_VALUE);
    EXPECT_EQ(win::GetLastError(), win::ERROR_FILE_NOT_FOUND);
}

TEST(SimDevices, ADriverLibraryListedInTheMachineRunsInTheCallingProcess) {
    TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
    pc.EditSettings([](winsim::MachineSettings& settings) {
        settings.devices["Echo"] = {kLibrary, winsim::Family::Nt};
    });
    win::HANDLE handle = OpenNt("\\\\.\\ECHO");
    ASSERT_NE(handle, win::INVALID_HANDLE_VALUE);
    char in[5] = "ping";
    char out[5] = {};
    win::DWORD returned = 0;
    EXPECT_TRUE(win::DeviceIoControl(handle, 1, in, 4, out, sizeof out, &returned, nullptr));
    EXPECT_EQ(returned, 4u);
    EXPECT_STREQ(out, "ping");
    returned = 5;
    EXPECT_FALSE(win::DeviceIoControl(handle, 2, in, 4, out, sizeof out, &returned, nullptr));
    EXPECT_EQ(win::GetLastError(), 1234u);
    EXPECT_EQ(returned, 5u);
    win::CloseHandle(handle);
    EXPECT_TRUE(std::filesystem::exists(pc.Directory() / "devices/echo.lock"));
}

TEST(SimDevices, EachFamilyOpensOnlyItsOwnDevices) {
    {
        TestMachine pc(winsim::Family::Nt, TestMachine::Setup::Bare);
        pc.EditSettings([](winsim::MachineSettings& settings) {
            settings.devices["nolx"] = {kLibrary, winsim::Family::Win9x};
            settings.devices["Halvgate"] = {kLibrary, winsim::Family::Nt};
        });
        EXPECT_EQ(Open9x("\\\\.\\nolx"), win::INVALID_HANDLE_VALUE);
        win::HANDLE handle = OpenNt("\\\\.\\Halvgate");
        EXPECT_NE(handle, win::INVALID_HANDLE_VALUE);
        win::CloseHandle(handle);
    }
    {
        TestMachine pc(winsim::Family::Win9x, TestMachine::Setup::Bare);
        pc.EditSettings([](winsim::MachineSettings& settings) {
            settings.devices["nolx"] = {kLibrary, winsim::Family::Win9x};
            settings.devices["Halvgate"] = {kLibrary, winsim::Family::Nt};
        });
        EXPECT_EQ(OpenNt("\\\\.\\Halvgate"), win::INVALID_HANDLE_VALUE);
        win::HANDLE handle = Open9x("\\\\.\\nolx");
        EXPECT_NE(handle, win::INVALID_HANDLE_VALUE);
        win::CloseHandle(handle);
    }
}

TEST(SimDevices, TheSuiteSetupListsTheFamilyDriver) {
    TestMachine nt;
    ASSERT_NE(nt.Machine().Settings().FindDevice("Halvgate"), nullptr);
    EXPECT_EQ(nt.Machine().Settings().FindDevice("nolx"), nullptr);
    TestMachine nine(winsim::Family::Win9x);
    ASSERT_NE(nine.Machine().Settings().FindDevice("nolx"), nullptr);
    EXPECT_EQ(nine.Machine().Settings().FindDevice("nolx")->family, winsim::Family::Win9x);
}

}  // namespace
