// The halvgate program itself on a machine made by the machine tool, played by a script file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/test_machine.h"

namespace halvgate_test {
namespace {

namespace fs = std::filesystem;

// A machine folder of its own for one test, and the programs of the build.
class HalvgateProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bin_ = halvern_test::TestMachine::BinDirectory();
        std::string pattern = (fs::temp_directory_path() / "halvgate-program-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        machine_ = dir_ / "machine";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    // Runs a command line with the machine chosen; returns its exit status and output.
    int Run(const std::string& command, std::string* output = nullptr) const {
        const std::string line = "HALVERN_MACHINE='" + machine_.string() + "' " + command;
        FILE* pipe = popen((line + " 2>&1").c_str(), "r");
        if (pipe == nullptr) {
            return -1;
        }
        std::string text;
        char buffer[4096];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            text += buffer;
        }
        const int status = pclose(pipe);
        if (output != nullptr) {
            *output = text;
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    int RunHalvgate(const std::string& script, std::string& transcript) const {
        const fs::path scriptFile = dir_ / "script.txt";
        const fs::path transcriptFile = dir_ / "transcript.txt";
        std::ofstream(scriptFile) << script;
        const int status = Run("HALVERN_UI=headless HALVERN_SCRIPT='" + scriptFile.string() +
                               "' HALVERN_TRANSCRIPT='" + transcriptFile.string() + "' '" +
                               (bin_ / "halvgate").string() + "'");
        std::ifstream in(transcriptFile);
        std::stringstream text;
        text << in.rdbuf();
        transcript = text.str();
        return status;
    }

    std::string Tool() const { return "'" + (bin_ / "halvern-machine").string() + "'"; }

    fs::path bin_;
    fs::path dir_;
    fs::path machine_;
};

TEST_F(HalvgateProgramTest, AnItemAddedAndAppliedIsEnforcedByTheDriver) {
    std::string output;
    ASSERT_EQ(Run(Tool() + " init", &output), 0) << output;
    std::string transcript;
    EXPECT_EQ(RunHalvgate(R"(type IDC_PATH "C:\\DATA\\*"
click "No Access"
click IDC_ACTION_PROMPT
click IDC_ADD_ITEM
click IDC_APPLY
answer ok
click IDC_CLOSE
)",
                          transcript),
              0);
    EXPECT_NE(transcript.find("message \"Changes had been applied successfully\" \"Success!\" ok"),
              std::string::npos)
        << transcript;
    EXPECT_EQ(transcript.find("FAIL"), std::string::npos) << transcript;

    ASSERT_EQ(Run(Tool() + " show", &output), 0) << output;
    EXPECT_NE(output.find("Protection switch:         on"), std::string::npos) << output;
    // The item, Active, with action Prompt, every access right restricted and still visible.
    std::istringstream lines(output);
    std::string line;
    bool found = false;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string path;
        std::string word;
        words >> path;
        if (path != "C:\\DATA\\*") {
            continue;
        }
        found = true;
        std::string cells;
        while (words >> word) {
            cells += word + " ";
        }
        EXPECT_EQ(cells, "Active Prompt No No No No No No No No No Yes ");
    }
    EXPECT_TRUE(found) << output;
}

TEST_F(HalvgateProgramTest, WithoutAMachineItSaysHowToMakeOne) {
    std::string output;
    EXPECT_NE(Run("'" + (bin_ / "halvgate").string() + "'", &output), 0);
    EXPECT_NE(output.find("halvern-machine init"), std::string::npos) << output;
}

}  // namespace
}  // namespace halvgate_test
