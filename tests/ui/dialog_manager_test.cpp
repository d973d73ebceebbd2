// The dialog-manager rules on the sample dialog, played by scripts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/ui/sample_dialog.h"
#include "tests/ui/script_run.h"

namespace ui::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

struct EnterCase {
    const char* name;
    DefaultButton defaultButton;
    const char* script;
    int result;
    std::vector<std::string> log;
};

class EnterTest : public ::testing::TestWithParam<EnterCase> {};

TEST_P(EnterTest, PressesTheRightButton) {
    const EnterCase& c = GetParam();
    ScriptRun run(c.script);
    SampleDialog dialog(c.defaultButton);
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(dialog.log, c.log);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, EnterTest,
    ::testing::Values(
        // The default button takes Enter; the dialog stays open.
        EnterCase{"DefaultButton",
                  DefaultButton::Apply,
                  "enter\nescape",
                  IDCANCEL,
                  {"init", "apply", "destroy"}},
        // Without a default button Enter is the IDOK command.
        EnterCase{"NoDefaultButton", DefaultButton::None, "enter", IDOK, {"init", "ok", "destroy"}},
        // A disabled default button: nothing happens.
        EnterCase{"DisabledDefaultButton",
                  DefaultButton::DisabledApply,
                  "enter\nescape",
                  IDCANCEL,
                  {"init", "destroy"}},
        // A focused push button takes Enter instead of the default one.
        EnterCase{"FocusedButton",
                  DefaultButton::Apply,
                  "focus IDOK\nenter",
                  IDOK,
                  {"init", "ok", "destroy"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(DialogManager, DisabledDefaultButtonBeepsAndIsRecordedAsRefused) {
    ScriptRun run("enter\nescape");
    SampleDialog dialog(DefaultButton::DisabledApply);
    dialog.DoModal();
    EXPECT_THAT(
        run.Transcript(),
        HasSubstr("step 1: enter\nbeep\nrefused 1: enter: the default button is disabled\n"));
}

TEST(DialogManager, EscapeSendsCancelAndTheCloseBoxGoesThroughOnClose) {
    {
        ScriptRun run("escape");
        SampleDialog dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_THAT(dialog.log, ElementsAre("init", "destroy"));
    }
    {
        ScriptRun run("close");
        SampleDialog dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_THAT(dialog.log, ElementsAre("init", "close", "destroy"));
        EXPECT_THAT(run.Failures(), IsEmpty());
    }
}

TEST(DialogManager, AutomaticCheckBoxTogglesBeforeItsNotification) {
    ScriptRun run(
        "click IDC_REMEMBER\n"
        "expect checked IDC_REMEMBER\n"
        "click \"&Remember\"\n"
        "expect unchecked 1002\n"
        "click IDC_PLAIN\n"
        "expect unchecked IDC_PLAIN\n"
        "escape\n");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_THAT(dialog.log, ElementsAre("init", "clicked 1002 check 1", "clicked 1002 check 0",
                                        "clicked 1003 check 0", "destroy"));
    EXPECT_THAT(run.Failures(), IsEmpty());
}

TEST(DialogManager, CheckAndUncheckClickOnlyWhenTheStateDiffers) {
    ScriptRun run("check IDC_REMEMBER\ncheck IDC_REMEMBER\nuncheck IDC_REMEMBER\nescape");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_THAT(dialog.log,
                ElementsAre("init", "clicked 1002 check 1", "clicked 1002 check 0", "destroy"));
}

TEST(DialogManager, AutomaticRadioButtonClearsOnlyItsGroup) {
    ScriptRun run(
        "click IDC_DELTA\n"
        "click IDC_ALPHA\n"
        "click Beta\n"  // a bare word is a symbolic name, so this one is missing
        "click \"Beta\"\n"
        "expect unchecked IDC_ALPHA\n"
        "expect checked IDC_BETA\n"
        "expect unchecked IDC_GAMMA\n"
        "expect checked IDC_DELTA\n"
        "escape\n");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_THAT(run.Failures(), HasSubstr("FAIL 3: click Beta: dialog 100 \"Sample\" has no "
                                          "control Beta\n"));
    EXPECT_EQ(run.Backend().GetTranscript().Failures().size(), 1u);
    EXPECT_THAT(dialog.log,
                ElementsAre("init", "clicked 1004 check 1", "clicked 1005 check 1", "destroy"));
}

TEST(DialogManager, ProgrammaticTextSetNotifiesAsTypingDoes) {
    ScriptRun run("type IDC_NAME \"abc\"\nexpect text IDC_NAME \"abc\"\nescape");
    SampleDialog dialog;
    dialog.DoModal();
    // OnInitDialog's SetDlgItemText notified too (before the log was reset, so it is checked
    // through the text); typing notifies once per replacement.
    EXPECT_THAT(dialog.log, ElementsAre("init", "changed abc", "destroy"));
    EXPECT_THAT(run.Failures(), IsEmpty());
}

}  // namespace
}  // namespace ui::test
