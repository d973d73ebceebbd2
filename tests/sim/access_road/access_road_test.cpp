// The road of one protected access, run as a person runs it from the shell: a machine is made,
// Halvgate (headless) protects C:\DATA\* and closes, and `halvern-machine access` makes a
// program read a file there. Halvask, started by the access, runs headless with the script the
// environment names.
#include <gtest/gtest.h>
#include <pty.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/driver_device.h"
#include "common/nt_control_codes.h"
#include "common/password_codec.h"
#include "platform/sim/sim_system.h"
#include "sim/drivers/nt/nt_driver_store.h"
#include "tests/support/test_machine.h"

namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class AccessRoad : public testing::Test {
  protected:
    AccessRoad() {
        const char* build = std::getenv("HALVERN_BUILD_DIR");
        bin_ =
            build != nullptr ? fs::path(build) / "bin" : halvern_test::TestMachine::BinDirectory();
        std::string pattern = (fs::temp_directory_path() / "halvern-road-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
        machine_ = dir_ / "machine";
        EXPECT_EQ(Shell(Tool() + " init > " + Quoted((dir_ / "init.out").string())), 0);
    }
    ~AccessRoad() override {
        if (std::getenv("HALVERN_KEEP_TEST_MACHINE") == nullptr) {
            std::error_code ec;
            fs::remove_all(dir_, ec);
        }
    }

    // Runs a shell command with the machine in its environment; its exit code.
    int Shell(const std::string& command) const {
        const std::string line =
            "export HALVERN_MACHINE=" + Quoted(machine_.string()) + "; " + command;
        const int status = std::system(line.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Tool() const { return Quoted((bin_ / "halvern-machine").string()); }

    // Writes a headless script and returns the environment that plays it.
    std::string Headless(const std::string& name, const std::string& script) const {
        const fs::path file = dir_ / (name + ".script");
        std::ofstream(file) << script;
        return "HALVERN_UI=headless HALVERN_SCRIPT=" + Quoted(file.string()) +
               " HALVERN_TRANSCRIPT=" + Quoted((dir_ / (name + ".transcript")).string());
    }
    std::string Transcript(const std::string& name) const {
        return ReadText(dir_ / (name + ".transcript"));
    }

    // Halvgate adds C:\DATA\* with Read restricted and the action given, applies and closes.
    void ProtectData(const char* actionControl) {
        const std::string script = std::string(R"(expect dialog 102
click IDC_DELETE_ALL
type IDC_PATH "C:\\DATA\\*"
click IDC_RIGHT_READ
click )") + actionControl + R"(
click IDC_ADD_ITEM
click IDC_APPLY
answer ok
expect message "Changes had been applied successfully" "Success!"
click IDC_CLOSE
)";
        ASSERT_EQ(Shell(Headless("halvgate", script) + " " + Quoted((bin_ / "halvgate").string()) +
                        " > /dev/null"),
                  0);
        EXPECT_EQ(Transcript("halvgate").find("failure"), std::string::npos)
            << Transcript("halvgate");
    }

    // `halvern-machine access read C:\DATA\A.TXT --process EXPLORER.EXE`, the agent answering
    // with `answer`; the exit code, the printed verdict in `verdict`.
    int ReadDataFile(const std::string& name, const std::string& answer, std::string& verdict) {
        const fs::path out = dir_ / (name + ".out");
        const int code = Shell(Headless(name, answer) + " " + Tool() +
                               " access read 'C:\\DATA\\A.TXT' --process EXPLORER.EXE --timeout 30"
                               " > " +
                               Quoted(out.string()));
        verdict = ReadText(out);
        return code;
    }

    bool AllSlotsFree() const {
        const auto state = simnt::NtDriverStore(machine_).Read();
        EXPECT_TRUE(state.has_value());
        if (!state) {
            return false;
        }
        for (const simnt::NtSlot& slot : state->slots) {
            if (slot.state != simnt::NtSlot::State::Free) {
                return false;
            }
        }
        return true;
    }

    fs::path bin_;
    fs::path dir_;
    fs::path machine_;
};

constexpr const char* kPrompt =
    "message \"Read access attempt by process EXPLORER.EXE on C:\\\\DATA\\\\A.TXT. Continue ?\" "
    "\"Warning\" yesno warning owner=none -> ";

TEST_F(AccessRoad, PromptYesThenNoThenDisableThenProtectionOff) {
    ProtectData("IDC_ACTION_PROMPT");
    std::string verdict;
    EXPECT_EQ(ReadDataFile("yes", "answer yes\n", verdict), 0) << verdict;
    EXPECT_EQ(verdict.rfind("allowed: the user answered Yes", 0), 0u) << verdict;
    EXPECT_EQ(Transcript("yes"), std::string(kPrompt) + "yes\n");
    EXPECT_TRUE(AllSlotsFree());

    EXPECT_EQ(ReadDataFile("no", "answer no\n", verdict), 1) << verdict;
    EXPECT_EQ(verdict.rfind("denied: the user answered No", 0), 0u) << verdict;
    EXPECT_EQ(Transcript("no"), std::string(kPrompt) + "no\n");
    EXPECT_TRUE(AllSlotsFree());

    ProtectData("IDC_ACTION_DISABLE");
    EXPECT_EQ(ReadDataFile("disable", "answer yes\n", verdict), 1) << verdict;
    EXPECT_EQ(verdict, "denied: item C:\\DATA\\* restricts Read (action Disable)\n");
    EXPECT_FALSE(fs::exists(dir_ / "disable.transcript"));  // no agent, no prompt

    {
        std::string error;
        auto machine = winsim::Machine::Open(machine_, error);
        ASSERT_TRUE(machine.has_value()) << error;
        winsim::SimSystem system(std::move(*machine));
        const win::ScopedSystem installed(system);
        ASSERT_EQ(halvern::CDriverDevice().SendCommand(halvern::IOCTL_HALVGATE_PROTECTION_OFF), 1);
    }
    EXPECT_EQ(ReadDataFile("off", "answer no\n", verdict), 0) << verdict;
    EXPECT_EQ(verdict, "allowed: protection is switched off\n");
}

TEST_F(AccessRoad, SeveralAgentsAtOnceEachAnswerTheirOwnSlot) {
    ProtectData("IDC_ACTION_PROMPT");
    // The agents start a little late, so that both accesses are surely held at once.
    const fs::path launcher =
        machine_ / "drives" / "c" / "Program Files" / "Halvern" / "halvask.exe";
    std::string text = ReadText(launcher);
    ASSERT_EQ(text.rfind("#!/bin/sh\n", 0), 0u);
    text.insert(10, "sleep 0.3\n");
    std::ofstream(launcher) << text;

    const std::string access =
        Tool() + " access read 'C:\\DATA\\A.TXT' --process EXPLORER.EXE --timeout 30";
    auto one = [&](const std::string& name, const char* answer) {
        return "( " + Headless(name, answer) + " " + access + " > " +
               Quoted((dir_ / (name + ".out")).string()) + "; echo $? > " +
               Quoted((dir_ / (name + ".code")).string()) + " )";
    };
    ASSERT_EQ(
        Shell(one("first", "answer yes\n") + " & " + one("second", "answer no\n") + " & wait"), 0);
    EXPECT_EQ(ReadText(dir_ / "first.code"), "0\n");
    EXPECT_EQ(ReadText(dir_ / "second.code"), "1\n");
    const std::string first = ReadText(dir_ / "first.out");
    const std::string second = ReadText(dir_ / "second.out");
    EXPECT_EQ(first.rfind("allowed: the user answered Yes in slot ", 0), 0u) << first;
    EXPECT_EQ(second.rfind("denied: the user answered No in slot ", 0), 0u) << second;
    // Held at the same time, so in different slots.
    EXPECT_NE(first.substr(39, 2), second.substr(37, 2)) << first << second;
    EXPECT_TRUE(AllSlotsFree());
}

TEST_F(AccessRoad, WithoutQtdrvTheSlotStaysHeldAfterTheAnswer) {
    ProtectData("IDC_ACTION_PROMPT");
    fs::remove(machine_ / "drives" / "c" / "WINDOWS" / "SYSTEM32" / "qtdrv.dll");
    std::string verdict;
    EXPECT_EQ(ReadDataFile("yes", "answer yes\n", verdict), 0) << verdict;
    EXPECT_FALSE(AllSlotsFree());
}

// Runs the machine tool on a terminal of its own; answers `reply` once `prompt` appeared and
// returns everything the terminal showed, with the tool's exit code in `code`.
std::string RunOnTerminal(const fs::path& machine, const std::vector<std::string>& argv,
                          const std::string& prompt, const std::string& reply, int& code) {
    int master = -1;
    const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
    code = -1;
    if (pid < 0) {
        return "no terminal could be made";
    }
    if (pid == 0) {
        ::setenv("HALVERN_MACHINE", machine.c_str(), 1);
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    std::string shown;
    bool replied = false;
    char buffer[256];
    for (;;) {
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0) {
            break;  // the tool ended and closed the terminal
        }
        shown.append(buffer, static_cast<std::size_t>(n));
        if (!replied && shown.find(prompt) != std::string::npos) {
            replied =
                ::write(master, reply.data(), reply.size()) == static_cast<ssize_t>(reply.size());
        }
    }
    ::close(master);
    int status = 0;
    ::waitpid(pid, &status, 0);
    code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return shown;
}

TEST_F(AccessRoad, AskPasswordTakesTheOnTheFlyPasswordFromTheTerminalWithoutEcho) {
    ProtectData("IDC_ACTION_ASK_PASSWORD");
    ASSERT_TRUE(simnt::NtDriverStore(machine_).Update([](simnt::NtDriverState& state) {
        char plain[16] = "Secret";
        halvern::CPasswordCodec().Encode(plain, state.header.FlyPassword().data());
        state.header.SetFlyPasswordSet(1);
        return true;
    }));
    const std::vector<std::string> argv = {(bin_ / "halvern-machine").string(), "access", "read",
                                           "C:\\DATA\\A.TXT"};
    int code = -1;
    const std::string right =
        RunOnTerminal(machine_, argv, "On-the-fly password: ", "Secret\n", code);
    EXPECT_EQ(code, 0) << right;
    EXPECT_NE(right.find("allowed: item C:\\DATA\\* restricts Read (action Ask Password); the "
                         "on-the-fly password is right"),
              std::string::npos)
        << right;
    EXPECT_EQ(right.find("Secret"), std::string::npos) << right;  // not echoed

    const std::string wrong =
        RunOnTerminal(machine_, argv, "On-the-fly password: ", "secret\n", code);
    EXPECT_EQ(code, 1) << wrong;
    EXPECT_NE(wrong.find("the on-the-fly password is wrong"), std::string::npos) << wrong;

    // Given on the command line, nothing is asked.
    EXPECT_EQ(Shell(Tool() + " access read 'C:\\DATA\\A.TXT' --password Secret > /dev/null"), 0);
}

}  // namespace
