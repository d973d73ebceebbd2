// Accesses played against a simulated NT machine with the suite installed: the decision, the
// hold with Halvask started in the machine (headless, answered by a script), the password.
#include "sim/drivers/nt/nt_access_attempt.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "common/password_codec.h"
#include "sim/drivers/nt/nt_driver_store.h"
#include "tests/support/test_machine.h"

namespace simnt {
namespace {

constexpr std::uint32_t kRead = 0x1;
constexpr std::uint32_t kPrompt = 0x40000;
constexpr std::uint32_t kAskPassword = 0x80000;
constexpr const char* kAgent = "C:\\Program Files\\Halvern\\halvask.exe";

// The agents started here inherit the environment: they run headless with the fixture's script
// and write their transcript into the fixture's file.
class NtAccessAttemptTest : public testing::Test {
  protected:
    NtAccessAttemptTest() {
        script_ = pc.Directory() / "agent.script";
        transcript_ = pc.Directory() / "agent.transcript";
        ::setenv("HALVERN_UI", "headless", 1);
        ::setenv("HALVERN_SCRIPT", script_.c_str(), 1);
        ::setenv("HALVERN_TRANSCRIPT", transcript_.c_str(), 1);
    }
    ~NtAccessAttemptTest() override {
        ::unsetenv("HALVERN_UI");
        ::unsetenv("HALVERN_SCRIPT");
        ::unsetenv("HALVERN_TRANSCRIPT");
    }

    void Protect(std::uint32_t restricted, bool protectionOn = true) {
        ASSERT_TRUE(NtDriverStore(pc.Directory()).Update([&](NtDriverState& state) {
            state.items = {NtItem{"C:\\DATA\\*", 1, ~restricted}};
            state.protectionOn = protectionOn;
            return true;
        }));
    }

    AccessOutcome Access(const char* operation, const char* path, const char* answer = "",
                         std::optional<std::string> password = std::nullopt,
                         std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        std::ofstream(script_) << answer;
        AccessRequest request;
        request.operation = FindAccessOperation(operation);
        request.path = path;
        request.timeout = timeout;
        std::string error;
        const auto outcome =
            NtAccessAttempt(pc.Directory(), [&] { return password; }).Run(request, error);
        EXPECT_TRUE(outcome.has_value()) << error;
        return outcome.value_or(AccessOutcome{});
    }

    std::string Transcript() const {
        std::ifstream in(transcript_);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    NtSlot::State SlotState(std::uint32_t slot) {
        const auto state = NtDriverStore(pc.Directory()).Read();
        return state ? state->slots[slot].state : NtSlot::State::Free;
    }

    // Replaces the agent's launcher by a shell script.
    void ReplaceAgent(const std::string& body) {
        pc.WriteFile(kAgent, "#!/bin/sh\n" + body + "\n");
        ::chmod(pc.HostPath(kAgent).c_str(), 0755);
    }

    halvern_test::TestMachine pc;
    std::filesystem::path script_;
    std::filesystem::path transcript_;
};

TEST_F(NtAccessAttemptTest, PromptIsAnsweredByTheUserAndTheSlotIsFreedAfterwards) {
    Protect(kRead | kPrompt);
    const AccessOutcome yes = Access("read", "C:\\DATA\\A.TXT", "answer yes\n");
    EXPECT_TRUE(yes.allowed) << yes.verdict;
    EXPECT_EQ(yes.verdict.rfind("allowed: the user answered Yes in slot 0", 0), 0u) << yes.verdict;
    EXPECT_NE(Transcript().find("\"Read access attempt by process EXPLORER.EXE on "
                                "C:\\\\DATA\\\\A.TXT. Continue ?\" \"Warning\" yesno warning"),
              std::string::npos)
        << Transcript();
    EXPECT_EQ(SlotState(0), NtSlot::State::Free);

    const AccessOutcome no = Access("read", "C:\\DATA\\A.TXT", "answer no\n");
    EXPECT_FALSE(no.allowed) << no.verdict;
    EXPECT_EQ(SlotState(0), NtSlot::State::Free);
}

TEST_F(NtAccessAttemptTest, WithoutQtdrvTheAnsweredSlotStaysHeld) {
    pc.Remove("C:\\WINDOWS\\SYSTEM32\\qtdrv.dll");
    Protect(kRead | kPrompt);
    EXPECT_TRUE(Access("read", "C:\\DATA\\A.TXT", "answer yes\n").allowed);
    EXPECT_EQ(SlotState(0), NtSlot::State::Answered);
}

TEST_F(NtAccessAttemptTest, DisableDeniesWithoutPromptAndProtectionOffAllows) {
    Protect(kRead);
    const AccessOutcome denied = Access("read", "C:\\DATA\\A.TXT");
    EXPECT_FALSE(denied.allowed);
    EXPECT_EQ(denied.verdict, "denied: item C:\\DATA\\* restricts Read (action Disable)");
    EXPECT_FALSE(std::filesystem::exists(transcript_));  // no agent was started

    Protect(kRead | kPrompt, false);
    const AccessOutcome off = Access("read", "C:\\DATA\\A.TXT");
    EXPECT_TRUE(off.allowed);
    EXPECT_EQ(off.verdict, "allowed: protection is switched off");
    EXPECT_TRUE(Access("open", "C:\\DATA\\A.TXT").allowed);
}

TEST_F(NtAccessAttemptTest, AskPasswordComparesTheOnTheFlyPassword) {
    Protect(kRead | kAskPassword);
    EXPECT_FALSE(Access("read", "C:\\DATA\\A.TXT", "", "Secret").allowed);  // none set yet
    ASSERT_TRUE(NtDriverStore(pc.Directory()).Update([](NtDriverState& state) {
        char plain[16] = "Secret";
        halvern::CPasswordCodec().Encode(plain, state.header.FlyPassword().data());
        state.header.SetFlyPasswordSet(1);
        return true;
    }));
    EXPECT_TRUE(Access("read", "C:\\DATA\\A.TXT", "", "Secret").allowed);
    EXPECT_FALSE(Access("read", "C:\\DATA\\A.TXT", "", "secret").allowed);
    EXPECT_FALSE(Access("read", "C:\\DATA\\A.TXT", "", std::nullopt).allowed);
}

TEST_F(NtAccessAttemptTest, AnAgentThatDoesNotAnswerInTimeLeavesTheAccessHeld) {
    Protect(kRead | kPrompt);
    ReplaceAgent("sleep 2");
    const AccessOutcome late =
        Access("read", "C:\\DATA\\A.TXT", "", std::nullopt, std::chrono::milliseconds(200));
    EXPECT_FALSE(late.allowed);
    EXPECT_NE(late.verdict.find("no answer within 0.2 s"), std::string::npos) << late.verdict;
    EXPECT_EQ(SlotState(0), NtSlot::State::Pending);
}

TEST_F(NtAccessAttemptTest, AnAgentThatEndsWithoutAnsweringDenies) {
    Protect(kRead | kPrompt);
    ReplaceAgent("exit 3");
    const AccessOutcome gone = Access("read", "C:\\DATA\\A.TXT");
    EXPECT_FALSE(gone.allowed);
    EXPECT_NE(gone.verdict.find("the agent ended with exit code 3"), std::string::npos)
        << gone.verdict;
    EXPECT_EQ(SlotState(0), NtSlot::State::Free);
}

TEST_F(NtAccessAttemptTest, PathsThatNoRecordCanCarryAreRefused) {
    AccessRequest request;
    request.operation = FindAccessOperation("read");
    request.path = "C:\\" + std::string(256, 'x');
    std::string error;
    EXPECT_FALSE(NtAccessAttempt(pc.Directory(), {}).Run(request, error).has_value());
    EXPECT_NE(error.find("at most 258"), std::string::npos) << error;
    request.path = "\\\\server\\share\\f";
    EXPECT_FALSE(NtAccessAttempt(pc.Directory(), {}).Run(request, error).has_value());
}

}  // namespace
}  // namespace simnt
