// The dialog-manager rules on the sample dialog, played by scripts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/ui/sample_dialog.h"
#include "tests/ui/script_run.h"
#include "ui/message_box.h"

namespace ui::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

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
                  {"init", "ok", "destroy"}},
        // A focused check box leaves Enter to the default button.
        EnterCase{"FocusedCheckBox",
                  DefaultButton::Apply,
                  "click IDC_REMEMBER\nenter\nescape",
                  IDCANCEL,
                  {"init", "clicked 1002 check 1", "apply", "destroy"}},
        // A clicked push button keeps the focus and takes the next Enter.
        EnterCase{"ClickedButton",
                  DefaultButton::None,
                  "click IDC_APPLY\nenter\nescape",
                  IDCANCEL,
                  {"init", "apply", "apply", "destroy"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(DialogManager, DisabledDefaultButtonBeepsAndIsRecordedAsRefused) {
    ScriptRun run("enter\nescape");
    SampleDialog dialog(DefaultButton::DisabledApply);
    dialog.DoModal();
    EXPECT_THAT(
        run.Transcript(),
        HasSubstr("step 1: enter\nbeep\nrefused 1: enter: the default button is disabled\n"));
}

TEST(DialogManager, WithoutDefaultButtonADisabledOkButtonTakesNoEnter) {
    headless::Script script;
    script.Call([](Dialog& dialog) { dialog.EnableDlgItem(IDOK, false); });
    script.Append("enter\nescape");
    ScriptRun run(std::move(script));
    SampleDialog dialog(DefaultButton::None);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_THAT(dialog.log, ElementsAre("init", "destroy"));
    EXPECT_THAT(run.Transcript(),
                HasSubstr("step 2: enter\nbeep\nrefused 2: enter: the OK button is disabled\n"));
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
        EXPECT_THAT(dialog.log, ElementsAre("init", "syscommand 61536", "close", "destroy"));
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
    headless::Script script = ParseScript("type IDC_NAME \"abc\"\n");
    script.Call([](Dialog& dialog) { dialog.SetDlgItemText(IDC_NAME, "set"); });
    script.Append("expect text IDC_NAME \"set\"\nescape");
    ScriptRun run(std::move(script));
    SampleDialog dialog;
    // Before the window exists a text set notifies nobody.
    dialog.SetDlgItemText(IDC_NAME, "early");
    EXPECT_THAT(dialog.log, IsEmpty());
    dialog.DoModal();
    EXPECT_THAT(dialog.initLog, ElementsAre("changed initial"));
    EXPECT_THAT(dialog.log, ElementsAre("init", "changed abc", "changed set", "destroy"));
    EXPECT_THAT(run.Failures(), IsEmpty());
}

TEST(DialogManager, InitialisationFocusesTheFirstTabStopAndBuildsControlsFromTheTemplate) {
    ScriptRun run(
        "expect focused IDC_NAME\n"
        "expect hidden IDC_SECRET\n"
        "expect disabled IDC_LOCKED\n"
        "expect text IDC_LOCKED \"locked\"\n"
        "expect enabled IDC_APPLY\n"
        "expect dialog 100\n"
        "expect dialog \"Sample\"\n"
        "escape\n");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_THAT(run.Failures(), IsEmpty());
}

TEST(DialogManager, DisabledAndHiddenControlsRefuseInput) {
    headless::Script script = ParseScript(
        "type IDC_LOCKED \"x\"\n"
        "click IDC_SECRET\n"
        "focus IDC_LOCKED\n");
    script.Call([](Dialog& dialog) {
        EXPECT_FALSE(dialog.UserClick(IDC_SECRET));
        EXPECT_FALSE(dialog.UserType(IDC_LOCKED, "y"));
        EXPECT_FALSE(dialog.UserClick(4242));  // no such control
        dialog.EnableDlgItem(IDC_LOCKED, true);
        dialog.ShowDlgItem(IDC_SECRET, true);
    });
    script.Append("type IDC_LOCKED \"now\"\nclick IDC_SECRET\nescape");
    ScriptRun run(std::move(script));
    SampleDialog dialog;
    dialog.DoModal();
    const std::string transcript = run.Transcript();
    EXPECT_THAT(transcript,
                HasSubstr("refused 1: type IDC_LOCKED \"x\": the control is disabled\n"));
    EXPECT_THAT(transcript, HasSubstr("refused 2: click IDC_SECRET: the control is hidden\n"));
    EXPECT_THAT(transcript, HasSubstr("refused 3: focus IDC_LOCKED: the control is disabled\n"));
    EXPECT_THAT(transcript, Not(HasSubstr("refused 5")));
    EXPECT_THAT(transcript, Not(HasSubstr("refused 6")));
    EXPECT_EQ(dialog.GetDlgItemText(IDC_LOCKED), "now");
    EXPECT_THAT(run.Failures(), IsEmpty());
}

TEST(DialogManager, TypingRespectsTheLimitAndTheDigitsOnlyStyle) {
    ScriptRun run("type IDC_NUMBER \"12a345\"\nexpect text IDC_NUMBER \"1234\"\nescape");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_THAT(run.Failures(), IsEmpty());
    EXPECT_EQ(dialog.Item(IDC_NUMBER).GetSelStart(), 4);
}

TEST(DialogManager, SystemMenuCommandsReachOnSysCommandAndCloseGoesThroughOnClose) {
    ScriptRun run("sysmenu 16\nsysmenu 99\nsysmenu 0xF060");
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_THAT(dialog.log,
                ElementsAre("init", "syscommand 16", "syscommand 61536", "close", "destroy"));
    EXPECT_THAT(run.Transcript(),
                HasSubstr("refused 2: sysmenu 99: the system menu has no such command\n"));
}

TEST(DialogManager, WithoutSystemMenuThereIsNoCloseBox) {
    DialogTemplate tmpl = SampleTemplate();
    tmpl.systemMenu = false;
    ScriptRun run("close\nescape");
    Dialog dialog(tmpl);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_THAT(run.Transcript(), HasSubstr("refused 1: close: the dialog has no system menu\n"));
}

TEST(DialogManager, DestroyWindowOfAModalDialogEndsItsLoop) {
    headless::Script script;
    script.Call([](Dialog& dialog) { dialog.DestroyWindow(); });
    ScriptRun run(std::move(script));
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(dialog.IsWindow());
    EXPECT_THAT(run.Failures(), IsEmpty());
}

TEST(DialogManager, ExhaustedScriptEndsTheDialogWithCancelWithoutOnClose) {
    ScriptRun run("type IDC_NAME \"x\"");
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_THAT(dialog.log, ElementsAre("init", "changed x", "destroy"));
    EXPECT_EQ(run.Failures(),
              "FAIL: the script ended while dialog 100 \"Sample\" was open; it was ended with "
              "IDCANCEL\n");
}

TEST(DialogManager, NestedModalDialogDisablesItsParentUntilItCloses) {
    SampleDialog* outer = nullptr;
    headless::Script script = ParseScript("click IDC_NESTED\nexpect dialog 101\n");
    script.Call([&outer](Dialog& active) {
        EXPECT_EQ(active.TemplateId(), 101);
        ASSERT_NE(outer, nullptr);
        EXPECT_FALSE(outer->IsWindowEnabled());
        // Input reaching the parent behind the nested dialog is refused.
        EXPECT_FALSE(outer->UserClick(IDC_APPLY));
        EXPECT_FALSE(outer->UserEnter());
        EXPECT_FALSE(outer->UserEscape());
    });
    script.Append(
        "type IDC_NAME \"inner\"\n"
        "enter\n"  // no default button in the nested dialog: IDOK
        "expect dialog 100\n"
        "expect text IDC_NAME \"initial\"\n"
        "escape\n");
    ScriptRun run(std::move(script));
    SampleDialog dialog;
    outer = &dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.IsWindowEnabled());
    EXPECT_THAT(dialog.log, ElementsAre("init", "nested 1", "destroy"));
    EXPECT_THAT(run.Failures(), IsEmpty());
    const std::string transcript = run.Transcript();
    EXPECT_THAT(transcript, HasSubstr("open 100 \"Sample\"\nstep 1: click IDC_NESTED\n"
                                      "open 101 \"Sample\"\n"));
    EXPECT_THAT(transcript, HasSubstr("close 101 -> 1\nstep 6: expect dialog 100\n"));
}

TEST(DialogManager, WithoutBackendDialogsAndBoxesFail) {
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.Create());
    EXPECT_EQ(ui::MessageBox(nullptr, "text", "caption", MB_OK), 0);
    EXPECT_FALSE(dialog.UserClick(IDOK));
}

TEST(DialogManager, EndDialogDuringInitialisationNeverShowsTheDialog) {
    class EndsAtOnce : public SampleDialog {
      protected:
        bool OnInitDialog() override {
            EndDialog(7);
            return true;
        }
    };
    ScriptRun run("");
    EndsAtOnce dialog;
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(run.Transcript(), "open 100 \"Sample\"\nclose 100 -> 7\n");
}

}  // namespace
}  // namespace ui::test
