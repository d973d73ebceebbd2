#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <vector>

#include "common/config_header.h"
#include "common/driver_device.h"
#include "common/nt_control_codes.h"
#include "common/request_record.h"
#include "halvgate/config/item_record.h"
#include "platform/win32_api.h"
#include "sim/drivers/nt/nt_driver.h"
#include "sim/drivers/nt/nt_driver_store.h"
#include "sim/drivers/nt/nt_request_slots.h"
#include "tests/sim/nt_driver/test_nt_machine.h"

namespace {

using namespace halvern;
using halvern_test::TestNtMachine;
using simnt::NtDriverState;
using simnt::NtDriverStore;

class NtDriverTest : public ::testing::Test {
  protected:
    TestNtMachine machine_;

    NtDriverState State() {
        auto state = NtDriverStore(machine_.Dir()).Read();
        EXPECT_TRUE(state.has_value());
        return state.value_or(NtDriverState{});
    }

    // One query made by the driver for process `pid`, as the simulated PC makes it.
    std::uint32_t QueryAs(win::DWORD code, std::uint32_t pid) {
        std::array<std::uint8_t, kCommandBufferSize> in{};
        std::array<std::uint8_t, 4> out{0xEE, 0xEE, 0xEE, 0xEE};
        const std::string dir = machine_.Dir().string();
        HalvernDeviceCall call{};
        call.machineDir = dir.c_str();
        call.processId = pid;
        call.code = code;
        call.in = in.data();
        call.inSize = kCommandBufferSize;
        call.out = out.data();
        call.outSize = 4;
        EXPECT_TRUE(simnt::NtDriver::Control(call));
        EXPECT_EQ(call.bytesReturned, 4u);
        return GetU32(out, 0);
    }

    // Runs `body` in a child process and returns its exit code.
    template <class F>
    static int InChild(F body) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::_exit(body());
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(NtDriverTest, SwitchAndStoredStatusCommands) {
    CDriverDevice device;
    EXPECT_TRUE(State().protectionOn) << "a driver starts switched on";
    EXPECT_EQ(device.SendCommand(IOCTL_HALVGATE_PROTECTION_OFF), 1);
    EXPECT_FALSE(State().protectionOn);
    EXPECT_EQ(device.SendCommand(IOCTL_HALVGATE_PROTECTION_ON), 1);
    EXPECT_TRUE(State().protectionOn);
    EXPECT_FALSE(State().statusActive);
    EXPECT_FALSE(State().loginOnly);
    EXPECT_EQ(device.SendCommand(IOCTL_HALVGATE_STATUS_ACTIVE), 1);
    EXPECT_EQ(device.SendCommand(IOCTL_HALVGATE_LOGIN_ONLY), 1);
    EXPECT_TRUE(State().statusActive);
    EXPECT_TRUE(State().loginOnly);
    EXPECT_EQ(device.SendCommand(IOCTL_HALVGATE_PROTECTION_OFF), 1);

    // A new boot starts the driver afresh.
    machine_.NextBoot();
    const NtDriverState state = State();
    EXPECT_TRUE(state.protectionOn);
    EXPECT_FALSE(state.statusActive);
    EXPECT_FALSE(state.loginOnly);
}

TEST_F(NtDriverTest, WrongRequestsFailAsADriverDoes) {
    win::HANDLE device = win::CreateFileA("\\\\.\\Halvgate", win::GENERIC_READ | win::GENERIC_WRITE,
                                          0, nullptr, win::OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(device, win::INVALID_HANDLE_VALUE);
    std::array<std::uint8_t, 300> in{};
    std::array<std::uint8_t, 296> out{};
    struct Case {
        win::DWORD code;
        win::DWORD inSize;
        win::DWORD outSize;
        win::DWORD error;
    } cases[] = {
        {HalvgateControlCode(0x16), 300, 0, win::ERROR_NOT_SUPPORTED},
        {0x00220044, 300, 0, win::ERROR_NOT_SUPPORTED},
        {IOCTL_HALVGATE_PROTECTION_OFF, 299, 0, win::ERROR_INVALID_PARAMETER},
        {IOCTL_HALVGATE_PROTECTION_OFF, 0, 0, win::ERROR_INVALID_PARAMETER},
        {IOCTL_HALVGATE_QUERY_INSTANCE, 300, 3, win::ERROR_INSUFFICIENT_BUFFER},
        {IOCTL_HALVGATE_GET_REQUEST, 3, 296, win::ERROR_INVALID_PARAMETER},
        {IOCTL_HALVGATE_GET_REQUEST, 4, 295, win::ERROR_INSUFFICIENT_BUFFER},
        {IOCTL_HALVGATE_ANSWER_REQUEST, 295, 0, win::ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        win::DWORD returned = 77;
        EXPECT_EQ(win::DeviceIoControl(device, c.code, in.data(), c.inSize, out.data(), c.outSize,
                                       &returned, nullptr),
                  win::FALSE)
            << std::hex << c.code;
        EXPECT_EQ(win::GetLastError(), c.error) << std::hex << c.code;
        EXPECT_EQ(returned, 77u) << "left as it was";
    }
    EXPECT_TRUE(State().protectionOn) << "the short switch-off did nothing";
    win::CloseHandle(device);
}

TEST_F(NtDriverTest, InstanceIsRefusedWhileAnotherLiveProcessHoldsIt) {
    CDriverDevice device;
    std::uint32_t answer = 1;
    EXPECT_EQ(device.SendQuery(IOCTL_HALVGATE_QUERY_INSTANCE, answer), 1);
    EXPECT_EQ(answer, 1u) << "the first monitor may run";
    answer = 7;
    EXPECT_EQ(device.SendQuery(IOCTL_HALVGATE_QUERY_INSTANCE, answer), 1);
    EXPECT_EQ(answer, 1u) << "asking again from the same process";

    // A second monitor while this one lives.
    EXPECT_EQ(InChild([] {
                  std::uint32_t childAnswer = 1;
                  return CDriverDevice().SendQuery(IOCTL_HALVGATE_QUERY_INSTANCE, childAnswer) == 1
                             ? static_cast<int>(childAnswer)
                             : 99;
              }),
              0);
}

TEST_F(NtDriverTest, ADeadHolderFreesTheInstanceWhateverTheOrder) {
    // The child takes the instance and ends: this process may then run.
    EXPECT_EQ(InChild([this] {
                  return static_cast<int>(QueryAs(IOCTL_HALVGATE_QUERY_INSTANCE,
                                                  static_cast<std::uint32_t>(::getpid())));
              }),
              1);
    EXPECT_EQ(QueryAs(IOCTL_HALVGATE_QUERY_INSTANCE, static_cast<std::uint32_t>(::getpid())), 1u);

    // A live child that took the instance first keeps it from this process.
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    machine_.NextBoot();
    const pid_t child = ::fork();
    if (child == 0) {
        const std::uint32_t got =
            QueryAs(IOCTL_HALVGATE_QUERY_INSTANCE, static_cast<std::uint32_t>(::getpid()));
        char byte = static_cast<char>(got);
        static_cast<void>(::write(ready[1], &byte, 1));
        static_cast<void>(::read(release[0], &byte, 1));
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_EQ(byte, 1) << "the child was first";
    EXPECT_EQ(QueryAs(IOCTL_HALVGATE_QUERY_INSTANCE, static_cast<std::uint32_t>(::getpid())), 0u);
    static_cast<void>(::write(release[1], &byte, 1));
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(QueryAs(IOCTL_HALVGATE_QUERY_INSTANCE, static_cast<std::uint32_t>(::getpid())), 1u);
    for (int fd : {ready[0], ready[1], release[0], release[1]}) {
        ::close(fd);
    }
}

TEST_F(NtDriverTest, LoaderRunsOncePerBoot) {
    CDriverDevice device;
    std::uint32_t answer = 0;
    EXPECT_EQ(device.SendQuery(IOCTL_HALVGATE_LOADER_QUERY, answer), 1);
    EXPECT_EQ(answer, 0u);
    // Another process starts the loader: every process sees it.
    EXPECT_EQ(InChild([] { return CDriverDevice().SendCommand(IOCTL_HALVGATE_LOADER_START); }), 1);
    EXPECT_EQ(device.SendQuery(IOCTL_HALVGATE_LOADER_QUERY, answer), 1);
    EXPECT_NE(answer, 0u);
    EXPECT_EQ(device.SendCommand(IOCTL_HALVGATE_LOADER_COPY), 1);
    EXPECT_EQ(State().loaderCopies, 1u);

    machine_.NextBoot();
    answer = 5;
    EXPECT_EQ(device.SendQuery(IOCTL_HALVGATE_LOADER_QUERY, answer), 1);
    EXPECT_EQ(answer, 0u) << "a new boot lets the loader run again";
}

TEST_F(NtDriverTest, RequestSlotsCarryAnAccessToItsAnswer) {
    simnt::NtRequestSlots slots(machine_.Dir());
    RequestRecord access;
    access.SetOperationCode(0);
    access.SetOperationKind(2);
    access.SetProcessName("EXPLORER.EXE");
    access.SetPath("C:\\DATA\\A.TXT");
    const auto slot = slots.Post(access, static_cast<std::uint32_t>(::getpid()));
    ASSERT_TRUE(slot.has_value());

    // What the access prompt agent does.
    CDriverDevice device;
    std::array<std::uint8_t, 4> number{};
    PutU32(number, 0, *slot);
    RequestRecord fetched;
    EXPECT_EQ(device.ExchangeRequest(IOCTL_HALVGATE_GET_REQUEST, number.data(), 4,
                                     fetched.bytes.data(), RequestRecord::kSize),
              1);
    EXPECT_EQ(fetched.Slot(), *slot);
    EXPECT_EQ(fetched.OperationKind(), 2);
    EXPECT_EQ(fetched.ProcessName(), "EXPLORER.EXE");
    EXPECT_EQ(fetched.Path(), "C:\\DATA\\A.TXT");
    EXPECT_FALSE(slots.WaitForAnswer(*slot, std::chrono::milliseconds(0)).has_value());

    fetched.SetAnswer(RequestRecord::kAnswerRefuse);
    EXPECT_EQ(device.SendRequest(IOCTL_HALVGATE_ANSWER_REQUEST, fetched.bytes.data(),
                                 RequestRecord::kSize),
              1);
    EXPECT_EQ(slots.WaitForAnswer(*slot, std::chrono::milliseconds(1000)), 2u);
    EXPECT_EQ(device.SendRequest(IOCTL_HALVGATE_ANSWER_REQUEST, fetched.bytes.data(),
                                 RequestRecord::kSize),
              0)
        << "a slot is answered once";

    EXPECT_TRUE(slots.Free(*slot));
    EXPECT_FALSE(slots.Free(*slot));
    EXPECT_EQ(device.ExchangeRequest(IOCTL_HALVGATE_GET_REQUEST, number.data(), 4,
                                     fetched.bytes.data(), RequestRecord::kSize),
              0);
    PutU32(number, 0, NtDriverState::kSlotCount);
    EXPECT_EQ(device.ExchangeRequest(IOCTL_HALVGATE_GET_REQUEST, number.data(), 4,
                                     fetched.bytes.data(), RequestRecord::kSize),
              0);
}

TEST_F(NtDriverTest, SlotsOfSeveralProcessesAreDistinctAndDeadPostersAreReclaimed) {
    simnt::NtRequestSlots slots(machine_.Dir());
    // Posters in other processes that end: their slots come back.
    std::vector<int> taken;
    for (int i = 0; i < 3; ++i) {
        taken.push_back(InChild([this] {
            auto s = simnt::NtRequestSlots(machine_.Dir())
                         .Post(RequestRecord{}, static_cast<std::uint32_t>(::getpid()));
            return s ? static_cast<int>(*s) : 99;
        }));
    }
    EXPECT_NE(taken[0], 99);
    EXPECT_EQ(taken[0], taken[1]) << "the dead poster's slot was reclaimed";
    // Live posters fill every slot, then none is left.
    const auto me = static_cast<std::uint32_t>(::getpid());
    std::vector<std::uint32_t> mine;
    for (std::size_t i = 0; i < NtDriverState::kSlotCount; ++i) {
        const auto s = slots.Post(RequestRecord{}, me);
        ASSERT_TRUE(s.has_value());
        mine.push_back(*s);
    }
    std::sort(mine.begin(), mine.end());
    EXPECT_EQ(std::unique(mine.begin(), mine.end()), mine.end());
    EXPECT_FALSE(slots.Post(RequestRecord{}, me).has_value());
}

TEST_F(NtDriverTest, MissingDriverMakesEveryRequestANoOp) {
    std::string error;
    auto machine = winsim::Machine::Open(machine_.Dir(), error);
    ASSERT_TRUE(machine.has_value());
    machine->MutableSettings().devices.clear();
    winsim::SimSystem bare(*machine);
    win::ScopedSystem scoped(bare);
    CDriverDevice device;
    EXPECT_EQ(device.SendCommand(IOCTL_HALVGATE_RELOAD_CONFIG), 0);
    std::uint32_t preset = 1;
    EXPECT_EQ(device.SendQuery(IOCTL_HALVGATE_QUERY_INSTANCE, preset), 0);
    EXPECT_EQ(preset, 1u);
    preset = 0;
    EXPECT_EQ(device.SendQuery(IOCTL_HALVGATE_LOADER_QUERY, preset), 0);
    EXPECT_EQ(preset, 0u);
    EXPECT_EQ(device.CallDevice("nolx", 21, nullptr, 0, nullptr, 0), -1);
}

}  // namespace
