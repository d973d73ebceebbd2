// The transcript: its text form, password masking and writing it out.
#include "ui/headless/transcript.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/ui/sample_dialog.h"
#include "tests/ui/script_run.h"

namespace ui::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST(TranscriptText, RecordsDialogsStepsBoxesAndFailuresInOrder) {
    ScriptRun run(
        "# login\n"
        "type IDC_NAME \"admin\"\n"
        "click IDC_ASK\n"
        "answer yes\n"
        "expect text IDC_NAME \"root\"\n"
        "click IDC_LOCKED\n"
        "click \"OK\"\n");
    SampleDialog dialog(DefaultButton::None);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(run.Transcript(),
              "open 100 \"Sample\"\n"
              "step 2: type IDC_NAME \"admin\"\n"
              "step 3: click IDC_ASK\n"
              "message \"Save changes ?\" \"Warning\" yesnocancel warning owner=100 -> yes\n"
              "step 5: expect text IDC_NAME \"root\"\n"
              "FAIL 5: expect text IDC_NAME \"root\": found \"admin\"\n"
              "step 6: click IDC_LOCKED\n"
              "refused 6: click IDC_LOCKED: the control is disabled\n"
              "step 7: click \"OK\"\n"
              "close 100 -> 1\n");
    const auto& entries = run.Backend().GetTranscript().Entries();
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[5].kind, headless::EntryKind::Failure);
    EXPECT_EQ(entries[5].line, 5);
    EXPECT_TRUE(run.Backend().GetTranscript().HasFailures());
}

TEST(TranscriptText, PasswordTextsNeverAppear) {
    headless::Script script = ParseScript(
        "type IDC_PASSWORD \"hunter2\"\n"
        "expect text IDC_PASSWORD \"swordfish\"\n"
        "type IDC_MISSING \"letmein\"\n");
    std::string seen;
    script.Call([&seen](Dialog& dialog) { seen = dialog.GetDlgItemText(IDC_PASSWORD); });
    script.Append("escape");
    ScriptRun run(std::move(script));
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_EQ(seen, "hunter2");
    const std::string transcript = run.Transcript();
    for (const char* secret : {"hunter2", "swordfish", "letmein"}) {
        EXPECT_THAT(transcript, Not(HasSubstr(secret)));
    }
    EXPECT_THAT(transcript, HasSubstr("step 1: type IDC_PASSWORD \"********\"\n"));
    EXPECT_THAT(transcript,
                HasSubstr("FAIL 2: expect text IDC_PASSWORD \"********\": found \"********\"\n"));
    EXPECT_THAT(transcript, HasSubstr("FAIL 3: type IDC_MISSING \"********\": dialog 100 "
                                      "\"Sample\" has no control IDC_MISSING\n"));
}

TEST(TranscriptText, UnplayedStepsAreAFailureAndTheFileHoldsTheText) {
    const auto path = std::filesystem::temp_directory_path() / "halvern-ui-transcript-test.txt";
    std::string expected;
    {
        auto script = headless::Script::Parse("escape\nenter\nenter\n");
        ASSERT_TRUE(script.has_value());
        headless::HeadlessBackend backend(std::move(*script));
        backend.WriteTranscriptAtEnd(path.string());
        ScopedBackend installed(backend);
        SampleDialog dialog;
        dialog.DoModal();
        EXPECT_FALSE(backend.AllStepsPlayed());
        backend.Finish();
        expected = backend.GetTranscript().ToText();
    }
    EXPECT_THAT(expected, HasSubstr("FAIL 2: 2 step(s) left unplayed when the program ended\n"));
    std::ifstream in(path);
    std::stringstream written;
    written << in.rdbuf();
    EXPECT_EQ(written.str(), expected);
    std::filesystem::remove(path);

    headless::Transcript transcript;
    EXPECT_FALSE(transcript.WriteToFile("/nonexistent-dir/transcript.txt"));
}

}  // namespace
}  // namespace ui::test
