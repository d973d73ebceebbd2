// Message boxes, the common dialogs and a modeless window that pumps messages, answered by
// the script.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/ui/progress_dialog.h"
#include "tests/ui/sample_dialog.h"
#include "tests/ui/script_run.h"
#include "ui/message_box.h"

namespace ui::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(MessageBoxes, TheNextStepAnswersAndTheBoxIsRecorded) {
    ScriptRun run(
        "click IDC_ASK\nanswer no\nexpect message \"Save changes ?\" \"Warning\"\nescape");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_THAT(dialog.log, ElementsAre("init", "answer 7", "destroy"));
    EXPECT_THAT(run.Failures(), IsEmpty());
    EXPECT_THAT(run.Transcript(),
                HasSubstr("step 1: click IDC_ASK\n"
                          "message \"Save changes ?\" \"Warning\" yesnocancel warning owner=100 "
                          "-> no\n"
                          "step 3: expect message \"Save changes ?\" \"Warning\"\n"));
}

TEST(MessageBoxes, BoxWithAnOwnerOutsideAnyLoopIsAnswered) {
    ScriptRun run("answer ok");
    SampleDialog dialog;
    // Without a window the owner has nothing to disable; the box still goes to the backend.
    EXPECT_EQ(ui::MessageBox(&dialog, "Done", "Information", MB_OK | MB_ICONINFORMATION), IDOK);
    EXPECT_THAT(run.Transcript(),
                HasSubstr("message \"Done\" \"Information\" ok information owner=100 -> ok\n"));
}

struct UnansweredCase {
    unsigned type;
    int answer;
};

class UnansweredBox : public ::testing::TestWithParam<UnansweredCase> {};

TEST_P(UnansweredBox, GetsTheMostCautiousAnswerAndAFailure) {
    ScriptRun run("enter");
    EXPECT_EQ(ui::MessageBox(nullptr, "Sure ?", "Question", GetParam().type), GetParam().answer);
    EXPECT_EQ(run.Failures(),
              "FAIL: message box \"Sure ?\" was not answered: the next step is line 1 enter\n"
              "FAIL 1: 1 step(s) left unplayed when the program ended\n");
}

INSTANTIATE_TEST_SUITE_P(Types, UnansweredBox,
                         ::testing::Values(UnansweredCase{MB_OK, IDOK},
                                           UnansweredCase{MB_OKCANCEL, IDCANCEL},
                                           UnansweredCase{MB_YESNO, IDNO},
                                           UnansweredCase{MB_YESNOCANCEL, IDCANCEL}));

TEST(MessageBoxes, AnswerWithoutSuchButtonIsAFailure) {
    ScriptRun run("answer yes");
    EXPECT_EQ(ui::MessageBox(nullptr, "Done", "", MB_OK), IDOK);
    EXPECT_EQ(run.Failures(), "FAIL 1: answer yes: the message box has no such button (ok)\n");
}

TEST(MessageBoxes, UnansweredBoxInsideADialogLeavesTheNextStepToTheDialog) {
    ScriptRun run("click IDC_ASK\nexpect dialog 100\nescape");
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_THAT(dialog.log, ElementsAre("init", "answer 2", "destroy"));
    EXPECT_EQ(run.Failures(),
              "FAIL 1: message box \"Save changes ?\" was not answered: the next step is line 2 "
              "expect dialog 100\n");
}

TEST(MessageBoxes, ExpectMessageFailsWithoutOrWithADifferentBox) {
    ScriptRun run(
        "expect message \"x\"\n"
        "click IDC_ASK\n"
        "answer cancel\n"
        "expect message \"Save changes ?\" \"Error\"\n"
        "escape\n");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_EQ(run.Failures(),
              "FAIL 1: expect message \"x\": no message box was shown\n"
              "FAIL 4: expect message \"Save changes ?\" \"Error\": the last message box was "
              "\"Save changes ?\" \"Warning\"\n");
}

TEST(CommonDialogs, AnswersGiveThePathOrCancel) {
    ScriptRun run(
        "click IDC_FILE\n"
        "answer-file \"C:\\\\Program Files\\\\app.exe\"\n"
        "expect text IDC_NAME \"C:\\\\Program Files\\\\app.exe\"\n"
        "click IDC_FOLDER\n"
        "answer-folder C:\\DATA\n"
        "expect text IDC_NAME \"C:\\\\DATA\"\n"
        "click IDC_FILE\n"
        "answer-file cancel\n"
        "expect text IDC_NAME \"C:\\\\DATA\"\n"
        "click IDC_FOLDER\n"  // unanswered
        "escape\n");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_EQ(run.Failures(),
              "FAIL 10: folder browser \"Choose a folder / directory\" was not answered: the next "
              "step is line 11 escape\n");
    const std::string transcript = run.Transcript();
    EXPECT_THAT(transcript,
                HasSubstr("open-file \"Executable Files (*.exe)|*.exe|All Files (*.*)|*.*||\" "
                          "\"Select file\" owner=100 -> \"C:\\\\Program Files\\\\app.exe\"\n"));
    EXPECT_THAT(transcript, HasSubstr("browse-folder \"Choose a folder / directory\" owner=100 "
                                      "-> \"C:\\\\DATA\"\n"));
    EXPECT_THAT(transcript, HasSubstr("\"Select file\" owner=100 -> cancel\n"));
}

TEST(ModelessWindows, PumpStepsReachTheProgressWindow) {
    ScriptRun run(
        "click IDC_SCAN\n"
        "pump 3\n"
        "expect dialog 150\n"
        "pump 1\n"
        "click \"Stop\"\n"
        "answer yes\n"
        "expect dialog 100\n"
        "escape\n");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_THAT(run.Failures(), IsEmpty());
    // The first two pumps found nothing pending; the third played the expectation and, in
    // the same drain of pending messages, the next one the click. The job then stopped after
    // the piece of work it was in.
    EXPECT_THAT(dialog.log, ElementsAre("init", "scanned 3 stopped", "destroy"));
    EXPECT_THAT(run.Transcript(),
                HasSubstr("open 150 \"Working ...\"\n"
                          "step 2: pump 3\nstep 3: expect dialog 150\n"
                          "step 4: pump 1\nstep 5: click \"Stop\"\n"
                          "message \"Are you sure to stop now ?\" \"Warning\" yesnocancel noicon "
                          "owner=150 -> yes\n"
                          "close 150 (modeless)\n"));
}

TEST(ModelessWindows, CreateAndDestroyWindowAndAWindowThatOutlivesItsBackend) {
    bool stop = false;
    ProgressDialog progress(stop, nullptr);
    {
        ScriptRun run("");
        ASSERT_TRUE(progress.Create());
        EXPECT_FALSE(progress.Create());
        EXPECT_TRUE(progress.IsWindowVisible());
        EXPECT_FALSE(progress.IsModal());
        EXPECT_EQ(run.Backend().ActiveDialog(), &progress);
        progress.DestroyWindow();
        EXPECT_TRUE(progress.destroyed);
        EXPECT_FALSE(progress.IsWindow());
        EXPECT_EQ(run.Backend().ActiveDialog(), nullptr);
        EXPECT_EQ(run.Transcript(), "open 150 \"Working ...\"\nclose 150 (modeless)\n");
        ASSERT_TRUE(progress.Create());
    }
    progress.DestroyWindow();
    EXPECT_FALSE(progress.IsWindow());
}

TEST(ModelessWindows, PumpsWithoutAPumpStepPlayNothing) {
    ScriptRun run("click IDC_SCAN\nescape");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_THAT(dialog.log, ElementsAre("init", "scanned 5", "destroy"));
    EXPECT_THAT(run.Failures(), IsEmpty());
}

TEST(ModelessWindows, PumpStepInAModalLoopIsAFailure) {
    ScriptRun run("pump 1\nescape");
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(run.Failures(),
              "FAIL 1: pump: no message pump is running (the dialog waits for input)\n");
}

}  // namespace
}  // namespace ui::test
