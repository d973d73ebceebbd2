// halvern-machine as a person runs it: init and info (also with an empty HOME), and misuse.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/sim/host_file.h"
#include "tests/support/test_machine.h"

namespace {

namespace fs = std::filesystem;

struct Result {
    int code = -1;
    std::string out;
    std::string err;
};

class MachineTool : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/halvern-tool-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the tool with a clean environment: `environment` is a list of NAME=value words.
    Result Run(const std::string& environment, const std::string& args) {
        const fs::path tool = halvern_test::TestMachine::BinDirectory() / "halvern-machine";
        const std::string command = "env -i PATH=/usr/bin:/bin " + environment + " " +
                                    tool.string() + " " + args + " >" + (dir_ / "out").string() +
                                    " 2>" + (dir_ / "err").string();
        const int status = std::system(command.c_str());
        Result result;
        result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = winsim::ReadWholeFile(dir_ / "out").value_or("");
        result.err = winsim::ReadWholeFile(dir_ / "err").value_or("");
        return result;
    }

    std::string MachineEnv() const { return "HALVERN_MACHINE=" + (dir_ / "pc").string(); }

    fs::path dir_;
};

TEST_F(MachineTool, InitAndInfoWorkWithAnEmptyHome) {
    Result init = Run("HOME= " + MachineEnv(), "init");
    EXPECT_EQ(init.code, 0) << init.err;
    EXPECT_NE(init.out.find("Created a Windows NT machine"), std::string::npos) << init.out;
    const fs::path pc = dir_ / "pc";
    EXPECT_TRUE(fs::exists(pc / "machine.ini"));
    EXPECT_TRUE(fs::exists(pc / "drives/c/Program Files/Halvern/halvgate.exe"));
    EXPECT_TRUE(fs::exists(pc / "drives/c/Program Files/Halvern/uninst.exe"));
    EXPECT_TRUE(fs::exists(pc / "drives/c/WINDOWS/notepad.exe"));
    EXPECT_TRUE(fs::exists(pc / "drives/c/Program Files/Web Browser/browser.exe"));
    EXPECT_TRUE(fs::is_directory(pc / "drives/c/WINDOWS/SYSTEM32"));
    EXPECT_TRUE(fs::is_directory(pc / "drives/a"));
    const std::string hklm = winsim::ReadWholeFile(pc / "registry/HKLM.reg").value_or("");
    EXPECT_NE(hklm.find("\"ApplicationPath\"=\"C:\\\\Program Files\\\\Halvern\\\\\""),
              std::string::npos)
        << hklm;

    Result info = Run("HOME= " + MachineEnv(), "info");
    EXPECT_EQ(info.code, 0) << info.err;
    for (const char* part : {"Family:    nt", "C:\\WINDOWS", "A:  removable", "(no disk)",
                             "C:  fixed", "Halvgate", "HKLM.reg", "HKCR.reg"}) {
        EXPECT_NE(info.out.find(part), std::string::npos) << part << "\n" << info.out;
    }

    Result unset = Run(MachineEnv(), "info");  // no HOME at all
    EXPECT_EQ(unset.code, 0) << unset.err;
}

TEST_F(MachineTool, InitRefusesAnExistingMachineWithoutForce) {
    ASSERT_EQ(Run(MachineEnv(), "init").code, 0);
    Result again = Run(MachineEnv(), "init --family 9x");
    EXPECT_EQ(again.code, 1);
    EXPECT_NE(again.err.find("--force"), std::string::npos) << again.err;
    Result forced = Run(MachineEnv(), "init --family=9x --force");
    EXPECT_EQ(forced.code, 0) << forced.err;
    Result info = Run(MachineEnv(), "info");
    EXPECT_NE(info.out.find("Family:    9x"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("C:\\WINDOWS\\SYSTEM\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("nolx"), std::string::npos) << info.out;
}

TEST_F(MachineTool, AMissingMachineSaysHowToMakeOne) {
    Result info = Run(MachineEnv(), "info");
    EXPECT_EQ(info.code, 1);
    EXPECT_NE(info.err.find("halvern-machine init"), std::string::npos) << info.err;
}

TEST_F(MachineTool, MisuseIsExitCodeTwoWithAMessage) {
    struct Case {
        const char* args;
        const char* says;
    };
    for (const Case& c : {Case{"", "Usage"}, Case{"frobnicate", "unknown verb"},
                          Case{"init --colour", "unknown argument"},
                          Case{"init --family", "needs a value"},
                          Case{"init --family os2", "nt or 9x"}, Case{"info extra", "no arguments"},
                          Case{"help nothing", "no verb"}}) {
        Result result = Run(MachineEnv(), c.args);
        EXPECT_EQ(result.code, 2) << c.args;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << c.args << ": " << result.err;
    }
    EXPECT_FALSE(fs::exists(dir_ / "pc"));
}

TEST_F(MachineTool, HelpGoesToStandardOutput) {
    for (const char* args : {"--help", "help", "help init", "init --help", "help info"}) {
        Result result = Run(MachineEnv(), args);
        EXPECT_EQ(result.code, 0) << args;
        EXPECT_NE(result.out.find("halvern-machine"), std::string::npos) << args;
    }
}

TEST_F(MachineTool, AMalformedHiveIsNamedByInfoAndLeftAlone) {
    ASSERT_EQ(Run(MachineEnv(), "init").code, 0);
    const fs::path hive = dir_ / "pc/registry/HKCR.reg";
    std::string error;
    ASSERT_TRUE(winsim::ReplaceFile(hive, "REGEDIT4\n[HKEY_CLASSES_ROOT\\x]\nbroken\n", error));
    Result info = Run(MachineEnv(), "info");
    EXPECT_EQ(info.code, 0);
    EXPECT_NE(info.out.find("HKCR.reg:3"), std::string::npos) << info.out;
    EXPECT_EQ(winsim::ReadWholeFile(hive).value_or(""), "REGEDIT4\n[HKEY_CLASSES_ROOT\\x]\nbroken\n");
}

}  // namespace
