#include "ui/env/backend_from_environment.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "tests/ui/sample_dialog.h"
#include "ui/headless/headless_backend.h"

namespace ui::test {
namespace {

using ::testing::HasSubstr;

class BackendFromEnvironment : public ::testing::Test {
  protected:
    std::unique_ptr<Backend> Create() {
        error_.clear();
        int argc = 1;
        char name[] = "test";
        char* argv[] = {name, nullptr};
        return env::CreateBackend(
            [this](const char* variable) -> const char* {
                const auto found = vars_.find(variable);
                return found == vars_.end() ? nullptr : found->second.c_str();
            },
            argc, argv, error_);
    }
    std::filesystem::path File(const std::string& name, const std::string& content) {
        const auto path = dir_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() /
            ("halvern-ui-env-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::map<std::string, std::string> vars_;
    std::string error_;
    std::filesystem::path dir_;
};

TEST_F(BackendFromEnvironment, ScriptAloneChoosesHeadlessAndTheTranscriptIsWrittenAtTheEnd) {
    vars_["HALVERN_SCRIPT"] = File("run.script", "# a comment\nescape\n").string();
    const auto transcript = dir_ / "out.txt";
    vars_["HALVERN_TRANSCRIPT"] = transcript.string();
    {
        auto backend = Create();
        ASSERT_NE(backend, nullptr) << error_;
        ASSERT_NE(dynamic_cast<headless::HeadlessBackend*>(backend.get()), nullptr);
        ScopedBackend installed(*backend);
        SampleDialog dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_FALSE(std::filesystem::exists(transcript));
    }
    std::ifstream in(transcript);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "open 100 \"Sample\"\nstep 2: escape\nclose 100 -> 2\n");
}

TEST_F(BackendFromEnvironment, ErrorsSayWhatIsWrong) {
    vars_["HALVERN_UI"] = "gtk";
    EXPECT_EQ(Create(), nullptr);
    EXPECT_EQ(error_, "unknown HALVERN_UI value 'gtk': use headless or qt");

    vars_["HALVERN_UI"] = "headless";
    vars_["HALVERN_SCRIPT"] = (dir_ / "missing.script").string();
    EXPECT_EQ(Create(), nullptr);
    EXPECT_THAT(error_, HasSubstr("cannot read the script HALVERN_SCRIPT names: "));

    const auto bad = File("bad.script", "click IDOK\n\nclik IDOK\n");
    vars_["HALVERN_SCRIPT"] = bad.string();
    EXPECT_EQ(Create(), nullptr);
    EXPECT_EQ(error_, bad.string() + ": line 3: unknown step 'clik'");
}

TEST_F(BackendFromEnvironment, QtWithoutADisplayTellsHowToRunIt) {
    vars_["HALVERN_UI"] = "qt";
    EXPECT_EQ(Create(), nullptr);
#ifdef HALVERN_HAVE_QT
    EXPECT_THAT(error_, HasSubstr("xvfb-run -a"));
#else
    EXPECT_THAT(error_, HasSubstr("this build has no Qt backend"));
#endif
}

TEST_F(BackendFromEnvironment, NothingSetMeansQt) {
    EXPECT_EQ(Create(), nullptr);
    EXPECT_THAT(error_, HasSubstr("HALVERN_UI=qt"));
}

}  // namespace
}  // namespace ui::test
