#include "common/driver_device.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "common/nt_control_codes.h"
#include "platform/sim/device.h"
#include "tests/sim/nt_driver/test_nt_machine.h"

namespace {

using namespace halvern;

// A device that records each request and answers with a prepared reply.
class RecordingDevice : public winsim::IDevice {
  public:
    struct Request {
        std::uint32_t code;
        std::vector<std::uint8_t> in;
        std::uint32_t outSize;
    };
    std::vector<Request> requests;
    std::vector<std::uint8_t> reply;
    bool fail = false;

    bool Control(HalvernDeviceCall& call) override {
        const auto* in = static_cast<const std::uint8_t*>(call.in);
        requests.push_back(
            {call.code, std::vector<std::uint8_t>(in, in + call.inSize), call.outSize});
        if (fail) {
            call.error = win::ERROR_GEN_FAILURE;
            return false;
        }
        const std::size_t n = std::min<std::size_t>(reply.size(), call.outSize);
        if (n > 0) {
            std::memcpy(call.out, reply.data(), n);
        }
        call.bytesReturned = static_cast<std::uint32_t>(n);
        return true;
    }
};

class DriverDeviceTest : public ::testing::Test {
  protected:
    halvern_test::TestNtMachine machine_;
    std::shared_ptr<RecordingDevice> device_ = std::make_shared<RecordingDevice>();
    CDriverDevice client_;

    DriverDeviceTest() { machine_.System().RegisterDevice("Halvgate", device_); }
};

TEST_F(DriverDeviceTest, CommandsSendThreeHundredZeroBytes) {
    device_->reply = {9, 9, 9, 9};
    EXPECT_EQ(client_.SendCommand(IOCTL_HALVGATE_PROTECTION_OFF), 1);
    ASSERT_EQ(device_->requests.size(), 1u);
    EXPECT_EQ(device_->requests[0].code, 0x8889004Cu);
    EXPECT_EQ(device_->requests[0].in, std::vector<std::uint8_t>(300, 0));
    EXPECT_EQ(device_->requests[0].outSize, 0u);
}

TEST_F(DriverDeviceTest, QueriesKeepThePresetUnlessAWholeAnswerCame) {
    std::uint32_t answer = 1;
    device_->reply = {0, 0, 0, 0};
    EXPECT_EQ(client_.SendQuery(IOCTL_HALVGATE_QUERY_INSTANCE, answer), 1);
    EXPECT_EQ(answer, 0u);
    EXPECT_EQ(device_->requests[0].in, std::vector<std::uint8_t>(300, 0));
    EXPECT_EQ(device_->requests[0].outSize, 4u);

    answer = 1;
    device_->reply = {0, 0};
    EXPECT_EQ(client_.SendQuery(IOCTL_HALVGATE_QUERY_INSTANCE, answer), 0);
    EXPECT_EQ(answer, 1u) << "a short reply is not trusted";

    device_->fail = true;
    answer = 0;
    EXPECT_EQ(client_.SendQuery(IOCTL_HALVGATE_LOADER_QUERY, answer), 0);
    EXPECT_EQ(answer, 0u);
}

TEST_F(DriverDeviceTest, RequestsCarryTheCallersBuffers) {
    const std::uint8_t in[4] = {7, 0, 0, 0};
    std::uint8_t out[296] = {};
    device_->reply = std::vector<std::uint8_t>(296, 0x5A);
    EXPECT_EQ(client_.ExchangeRequest(IOCTL_HALVGATE_GET_REQUEST, in, 4, out, 296), 1);
    EXPECT_EQ(device_->requests.back().in, std::vector<std::uint8_t>(in, in + 4));
    EXPECT_EQ(out[0], 0x5A);
    EXPECT_EQ(out[295], 0x5A);
    EXPECT_EQ(client_.SendRequest(IOCTL_HALVGATE_ANSWER_REQUEST, out, 296), 1);
    EXPECT_EQ(device_->requests.back().in.size(), 296u);
    device_->fail = true;
    EXPECT_EQ(client_.SendRequest(IOCTL_HALVGATE_ANSWER_REQUEST, out, 296), 0);
}

TEST_F(DriverDeviceTest, CallDeviceReturnsTheByteCountOrMinusOne) {
    // The Windows 9x form of the open does not open an NT device.
    EXPECT_EQ(client_.CallDevice("Halvgate", 21, nullptr, 0, nullptr, 0), -1);
    EXPECT_TRUE(device_->requests.empty());

    halvern_test::TestNtMachine other;
    auto nolx = std::make_shared<RecordingDevice>();
    nolx->reply = {1, 2, 3};
    std::string error;
    auto nine = winsim::Machine::Open(other.Dir(), error);
    ASSERT_TRUE(nine.has_value());
    nine->MutableSettings().family = winsim::Family::Win9x;
    winsim::SimSystem system9x(*nine);
    system9x.RegisterDevice("nolx", nolx);
    win::ScopedSystem scoped(system9x);
    std::uint8_t flag = 0;
    std::uint8_t reply[2] = {};
    EXPECT_EQ(client_.CallDevice("nolx", 22, &flag, 1, reply, 2), 2);
    EXPECT_EQ(reply[1], 2);
    EXPECT_EQ(nolx->requests.back().code, 22u);
    nolx->fail = true;
    EXPECT_EQ(client_.CallDevice("nolx", 22, &flag, 1, reply, 2), -1);
    EXPECT_EQ(client_.CallDevice("missing", 22, &flag, 1, reply, 2), -1);
}

}  // namespace
