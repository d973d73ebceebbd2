// One agent run in this process against a simulated NT machine: the request is posted into a
// slot of the simulated driver, the message box is answered by a headless script.
#include "halvask/ask_for_access.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>

#include "common/nt_control_codes.h"
#include "common/request_record.h"
#include "platform/sim/device.h"
#include "sim/drivers/nt/nt_driver_store.h"
#include "sim/drivers/nt/nt_request_slots.h"
#include "tests/support/test_machine.h"
#include "ui/headless/headless_backend.h"
#include "ui/types.h"

namespace halvern {
namespace {

constexpr const char* kQtdrv = "C:\\WINDOWS\\SYSTEM32\\qtdrv.dll";

// Keeps the message box type, which the transcript shows only in part.
class RecordingBackend : public ui::headless::HeadlessBackend {
  public:
    using HeadlessBackend::HeadlessBackend;
    int MessageBox(ui::Dialog* owner, const std::string& text, const std::string& caption,
                   unsigned type) override {
        ++boxes;
        lastType = type;
        lastOwner = owner;
        return HeadlessBackend::MessageBox(owner, text, caption, type);
    }
    int boxes = 0;
    unsigned lastType = 0;
    ui::Dialog* lastOwner = nullptr;
};

class AskForAccess : public testing::Test {
  protected:
    // A poster that is not alive, so that the release through qtdrv.dll need not wait for this
    // process (the test plays the waiting side) to collect the answer.
    static constexpr std::uint32_t kGonePoster = 0x7FFFFFF0;

    std::uint32_t Post(std::uint8_t code, std::uint8_t kind, const char* process, const char* path,
                       std::uint32_t poster = kGonePoster) {
        RequestRecord request;
        request.SetOperationCode(code);
        request.SetOperationKind(kind);
        request.SetProcessName(process);
        request.SetPath(path);
        const auto slot = simnt::NtRequestSlots(pc.Directory()).Post(request, poster);
        EXPECT_TRUE(slot.has_value());
        return slot.value_or(0);
    }

    simnt::NtSlot Slot(std::uint32_t slot) {
        const auto state = simnt::NtDriverStore(pc.Directory()).Read();
        EXPECT_TRUE(state.has_value());
        return state ? state->slots[slot] : simnt::NtSlot{};
    }

    int Run(const std::string& line, const char* script, RecordingBackend*& backend) {
        auto parsed = ui::headless::Script::Parse(script);
        EXPECT_TRUE(parsed.has_value());
        backend_ = std::make_unique<RecordingBackend>(std::move(*parsed));
        backend = backend_.get();
        const ui::ScopedBackend installed(*backend_);
        return RunAskForAccess(line.c_str());
    }

    std::string Messages() const {
        std::string text;
        for (const auto& entry : backend_->GetTranscript().Entries()) {
            if (entry.kind == ui::headless::EntryKind::Message) {
                text += entry.text + "\n";
            }
        }
        return text;
    }

    halvern_test::TestMachine pc;
    std::unique_ptr<RecordingBackend> backend_;
};

TEST_F(AskForAccess, YesAllowsAndAnswersTheDriverWhichKeepsTheSlotWithoutQtdrv) {
    pc.Remove(kQtdrv);
    const std::uint32_t slot = Post(0, 2, "EXPLORER.EXE", "C:\\DATA\\A.TXT");
    RecordingBackend* box = nullptr;
    EXPECT_EQ(Run("AskForAccess|" + std::to_string(slot) + "|", "answer yes\n", box),
              kAskExitAllowed);
    EXPECT_EQ(Messages(),
              "\"Open access attempt by process EXPLORER.EXE on C:\\\\DATA\\\\A.TXT. Continue ?\" "
              "\"Warning\" yesno warning owner=none -> yes\n");
    EXPECT_EQ(box->lastType, ui::MB_YESNO | ui::MB_ICONWARNING | ui::MB_TOPMOST);
    EXPECT_EQ(box->lastOwner, nullptr);
    const simnt::NtSlot held = Slot(slot);
    EXPECT_EQ(held.state, simnt::NtSlot::State::Answered);
    EXPECT_EQ(held.answer, RequestRecord::kAnswerAllow);
}

TEST_F(AskForAccess, NoRefusesAndQtdrvFreesTheSlot) {
    const std::uint32_t slot = Post(3, 0, "NOTEPAD.EXE", "C:\\DATA\\B.TXT");
    RecordingBackend* box = nullptr;
    EXPECT_EQ(Run("|AskForAccess||" + std::to_string(slot) + "|", "answer no\n", box),
              kAskExitRefused);
    EXPECT_NE(Messages().find("\"Read access attempt by process NOTEPAD.EXE on "),
              std::string::npos);
    EXPECT_EQ(Slot(slot).state, simnt::NtSlot::State::Free);
}

TEST_F(AskForAccess, EachAgentAnswersOnlyItsOwnSlot) {
    // Posted by this process, which stays alive, so that neither slot is taken over.
    pc.Remove(kQtdrv);
    const auto self = static_cast<std::uint32_t>(::getpid());
    const std::uint32_t first = Post(0, 1, "A.EXE", "C:\\DATA\\1", self);
    const std::uint32_t second = Post(6, 9, "B.EXE", "C:\\DATA\\2", self);
    ASSERT_NE(first, second);
    RecordingBackend* box = nullptr;
    EXPECT_EQ(Run("AskForAccess|" + std::to_string(second), "answer no\n", box), kAskExitRefused);
    // Code 6 with kind 9 has no name of its own.
    EXPECT_NE(Messages().find("\"Unknown access attempt by process B.EXE on C:\\\\DATA\\\\2."),
              std::string::npos);
    EXPECT_EQ(Slot(first).state, simnt::NtSlot::State::Pending);
    EXPECT_EQ(Slot(second).state, simnt::NtSlot::State::Answered);
    EXPECT_EQ(Slot(second).answer, RequestRecord::kAnswerRefuse);
}

TEST_F(AskForAccess, RefusedCommandLinesShowNothing) {
    for (const char* line : {"", "AskForAccess", "AskForAccess|7|x", "askforaccess|7|"}) {
        RecordingBackend* box = nullptr;
        EXPECT_EQ(Run(line, "", box), kAskExitNotAccepted) << line;
        EXPECT_EQ(box->boxes, 0) << line;
    }
}

TEST_F(AskForAccess, WithoutTheDriverThePromptIsEmptyAndTheAnswerDecides) {
    pc.EditSettings([](winsim::MachineSettings& settings) { settings.devices.clear(); });
    RecordingBackend* box = nullptr;
    EXPECT_EQ(Run("AskForAccess|abc|", "answer yes\n", box), kAskExitAllowed);
    EXPECT_EQ(Messages(),
              "\"Unknown access attempt by process  on . Continue ?\" \"Warning\" yesno warning "
              "owner=none -> yes\n");
    EXPECT_EQ(Run("AskForAccess|3|", "answer no\n", box), kAskExitRefused);
}

TEST_F(AskForAccess, WithoutABackendTheAccessIsRefused) {
    pc.Remove(kQtdrv);
    const std::uint32_t slot = Post(3, 0, "X.EXE", "C:\\DATA\\C");
    EXPECT_EQ(RunAskForAccess(("AskForAccess|" + std::to_string(slot)).c_str()), kAskExitRefused);
    EXPECT_EQ(Slot(slot).answer, RequestRecord::kAnswerRefuse);
}

// A driver whose reply fills every byte of the record, text fields without a terminator and a
// slot number that is not the agent's; it keeps the answer it was sent.
class FloodingDriver : public winsim::IDevice {
  public:
    bool Control(HalvernDeviceCall& call) override {
        if (call.code == IOCTL_HALVGATE_GET_REQUEST && call.outSize == RequestRecord::kSize) {
            std::memset(call.out, 'X', RequestRecord::kSize);
            call.bytesReturned = call.outSize;
            return true;
        }
        if (call.code == IOCTL_HALVGATE_ANSWER_REQUEST && call.inSize == RequestRecord::kSize) {
            std::memcpy(answer.bytes.data(), call.in, RequestRecord::kSize);
            return true;
        }
        call.error = 1;
        return false;
    }
    RequestRecord answer;
};

TEST_F(AskForAccess, UnterminatedReplyFitsThePromptAndTheAnswerGoesToTheAgentsSlot) {
    pc.Remove(kQtdrv);
    auto driver = std::make_shared<FloodingDriver>();
    pc.System().RegisterDevice("Halvgate", driver);
    RecordingBackend* box = nullptr;
    EXPECT_EQ(Run("AskForAccess|5|", "answer yes\n", box), kAskExitAllowed);
    const std::string messages = Messages();
    // 'X' (88) is no operation code of the table; 16 and 258 characters are kept.
    EXPECT_NE(
        messages.find("\"Unknown access attempt by process " + std::string(16, 'X') + " on XXX"),
        std::string::npos)
        << messages;
    EXPECT_NE(messages.find("X...X"), std::string::npos) << messages;
    EXPECT_NE(messages.find("X. Continue ?\" \"Warning\""), std::string::npos) << messages;
    EXPECT_EQ(driver->answer.Slot(), 5u);
    EXPECT_EQ(driver->answer.Answer(), RequestRecord::kAnswerAllow);
    EXPECT_EQ(driver->answer.bytes[RequestRecord::kPathOffset],
              'X');  // the rest goes back as it came
}

}  // namespace
}  // namespace halvern
