// The script language: what parses into which steps, and errors with their line numbers.
#include "ui/headless/script.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ui::headless {
namespace {

using ::testing::ElementsAre;

struct ErrorCase {
    const char* text;
    const char* error;
};

class ScriptErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ScriptErrors, NameTheLineAndTheFault) {
    std::string error;
    EXPECT_FALSE(Script::Parse(GetParam().text, &error).has_value());
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ScriptErrors,
    ::testing::Values(
        ErrorCase{"clik IDOK", "line 1: unknown step 'clik'"},
        ErrorCase{"# comment\n\nenter now", "line 3: unexpected 'now' after the step"},
        ErrorCase{"type IDC_NAME", "line 1: 'type' needs a text"},
        ErrorCase{"click", "line 1: 'click' needs a control"},
        ErrorCase{"type IDC_NAME \"abc", "line 1: unterminated quoted text"},
        ErrorCase{"type IDC_NAME \"abc\\", "line 1: unterminated quoted text"},
        ErrorCase{"type IDC_NAME \"a\\qb\"",
                  "line 1: unknown escape \\q (use \\\" \\\\ \\r \\n \\t)"},
        ErrorCase{"type IDC_NAME ab\"c\"", "line 1: a quote inside a word; quote the whole text"},
        ErrorCase{"type IDC_NAME \"a\"b", "line 1: a quoted text must be followed by a blank"},
        ErrorCase{"enter\r\nclick-row IDC_LIST x", "line 2: 'x' is not a number (a row)"},
        ErrorCase{"enter\rclick-row IDC_LIST x", "line 2: 'x' is not a number (a row)"},
        ErrorCase{"enter\r\rclick-row IDC_LIST x", "line 3: 'x' is not a number (a row)"},
        ErrorCase{"drag IDC_LIST 1 onto 2",
                  "line 1: drag: write 'drag LIST ROW to ROW' or 'drag LIST ROW to end'"},
        ErrorCase{"drag IDC_LIST 1 to -2", "line 1: drag: the target row must not be negative"},
        ErrorCase{"answer maybe",
                  "line 1: 'maybe' is no answer (yes, no, ok, cancel, abort, retry, ignore)"},
        ErrorCase{"answer \"yes\"",
                  "line 1: 'yes' is no answer (yes, no, ok, cancel, abort, retry, ignore)"},
        ErrorCase{"expect colour IDOK", "line 1: unknown expectation 'colour'"},
        ErrorCase{"expect dialog Settings",
                  "line 1: 'Settings' is not a dialog id (quote a caption)"},
        ErrorCase{"expect selected IDC_LIST", "line 1: expect selected: name the rows, or none"},
        ErrorCase{"pump 0", "line 1: pump: the count must be at least 1"},
        ErrorCase{"sysmenu 99999999999", "line 1: '99999999999' is not a number (a command id)"},
        ErrorCase{"\"click\" IDOK", "line 1: a step begins with a word, not a quoted text"}));

TEST(ScriptParse, QuotedTextsTakeEscapesAndBareWordsAreLiteral) {
    const auto script = Script::Parse(
        "type IDC_NAME \"a\\\"b\\\\c\\r\\nd\"  # trailing comment\n"
        "answer-file C:\\DATA\\x.txt\n"
        "answer-file \"cancel\"\n"
        "answer-folder cancel\n"
        "   \n"
        "click \"&Apply\"\n"
        "click 0x3F2\n"
        "pick IDC_COMBO 2\n"
        "pick IDC_COMBO \"2\"\n");
    ASSERT_TRUE(script.has_value());
    const auto& steps = script->Steps();
    ASSERT_EQ(steps.size(), 8u);
    EXPECT_EQ(steps[0].text, "a\"b\\c\r\nd");
    EXPECT_EQ(steps[0].control.by, ControlRef::By::Name);
    EXPECT_EQ(steps[1].text, "C:\\DATA\\x.txt");
    EXPECT_FALSE(steps[1].cancel);
    EXPECT_FALSE(steps[2].cancel);  // a file named "cancel"
    EXPECT_TRUE(steps[3].cancel);
    EXPECT_EQ(steps[4].line, 6);
    EXPECT_EQ(steps[4].control.by, ControlRef::By::Caption);
    EXPECT_EQ(steps[5].control.by, ControlRef::By::Id);
    EXPECT_EQ(steps[5].control.id, 1010);
    EXPECT_TRUE(steps[6].byIndex);
    EXPECT_FALSE(steps[7].byIndex);
    // The canonical form of a step is what the transcript shows.
    EXPECT_EQ(StepText(steps[0], false), "type IDC_NAME \"a\\\"b\\\\c\\r\\nd\"");
    EXPECT_EQ(StepText(steps[0], true), "type IDC_NAME \"********\"");
}

TEST(ScriptParse, AppendAndCallsNumberOnAndAFailedAppendAddsNothing) {
    Script script;
    ASSERT_TRUE(script.Append("click IDOK\n\nenter"));
    script.Call([](Dialog&) {});
    std::string error;
    EXPECT_FALSE(script.Append("escape\nbogus", &error));
    EXPECT_EQ(error, "line 6: unknown step 'bogus'");
    ASSERT_TRUE(script.Append("escape"));
    std::vector<int> lines;
    for (const auto& step : script.Steps()) {
        lines.push_back(step.line);
    }
    EXPECT_THAT(lines, ElementsAre(1, 3, 4, 5));
    EXPECT_EQ(script.Steps()[2].kind, StepKind::Call);
}

TEST(ScriptParse, SelectForms) {
    const auto script = Script::Parse(
        "select L 1 3 5\nselect L ctrl 2\nselect L shift 4\nselect L none\n"
        "expect selected L none\nexpect cell L 1 2 \"x\"\nclick-row L 3\ndrag L 2 to end");
    ASSERT_TRUE(script.has_value());
    const auto& steps = script->Steps();
    EXPECT_THAT(steps[0].rows, ElementsAre(1, 3, 5));
    EXPECT_TRUE(steps[1].toggle);
    EXPECT_TRUE(steps[2].extend);
    EXPECT_TRUE(steps[3].rows.empty());
    EXPECT_TRUE(steps[4].rows.empty());
    EXPECT_EQ(StepText(steps[5], false), "expect cell L 1 2 \"x\"");
    EXPECT_EQ(StepText(steps[6], false), "click-row L 3 0");
    EXPECT_EQ(StepText(steps[7], false), "drag L 2 to end");
}

}  // namespace
}  // namespace ui::headless
