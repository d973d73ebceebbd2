// One step of a script: what the user does next, or what the test expects to see.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ui {
class Dialog;
}

namespace ui::headless {

// How a script names a control: its numeric id, its symbolic name from the template, or its
// caption (mnemonic & ignored).
struct ControlRef {
    enum class By { Id, Name, Caption };
    By by = By::Id;
    int id = 0;
    std::string text;

    std::string ToString() const;
};

enum class StepKind {
    Type,
    Click,
    Check,
    Uncheck,
    Select,
    ClickRow,
    DoubleClickRow,
    Column,
    Pick,
    Focus,
    Enter,
    Escape,
    Close,
    Drag,
    SysMenu,
    Answer,
    AnswerFile,
    AnswerFolder,
    Pump,
    ExpectDialog,
    ExpectText,
    ExpectState,
    ExpectRows,
    ExpectCell,
    ExpectSelected,
    ExpectMessage,
    Call,
};

enum class ControlState { Checked, Unchecked, Enabled, Disabled, Visible, Hidden, Focused };

struct Step {
    StepKind kind = StepKind::Enter;
    int line = 0;  // in the script text; callbacks count as one line each
    ControlRef control;
    std::string text;     // typed text, item, path, expected text or message
    std::string caption;  // expect message: the caption, when given
    bool hasCaption = false;
    bool byIndex = false;  // pick: `number` is the item's index
    bool toggle = false;   // select: Ctrl
    bool extend = false;   // select: Shift
    bool cancel = false;   // answer-file / answer-folder cancel
    std::vector<int> rows;
    int row = -1;
    int column = 0;
    int target = -1;  // drag: the row to drop on, -1 for the end of the list
    int number = 0;   // dialog id, command id, answer, count, index
    ControlState state = ControlState::Checked;
    std::function<void(Dialog&)> call;
};

// Whether the step names a control (CONTROL, LIST or COMBO) in the active dialog.
bool NamesControl(StepKind kind);

// The step as a script line; `maskText` hides the typed or expected text (password edits).
std::string StepText(const Step& step, bool maskText);

}  // namespace ui::headless
