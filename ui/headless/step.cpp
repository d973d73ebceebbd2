#include "ui/headless/step.h"

#include "ui/headless/answers.h"
#include "ui/headless/quoting.h"

namespace ui::headless {
namespace {

constexpr const char* kMask = "\"********\"";

const char* StateWord(ControlState state) {
    switch (state) {
        case ControlState::Checked:
            return "checked";
        case ControlState::Unchecked:
            return "unchecked";
        case ControlState::Enabled:
            return "enabled";
        case ControlState::Disabled:
            return "disabled";
        case ControlState::Visible:
            return "visible";
        case ControlState::Hidden:
            return "hidden";
        case ControlState::Focused:
            return "focused";
    }
    return "?";
}

std::string Rows(const std::vector<int>& rows) {
    if (rows.empty()) {
        return " none";
    }
    std::string text;
    for (int row : rows) {
        text += ' ' + std::to_string(row);
    }
    return text;
}

}  // namespace

std::string ControlRef::ToString() const {
    switch (by) {
        case By::Id:
            return std::to_string(id);
        case By::Name:
            return text;
        case By::Caption:
            return Quote(text);
    }
    return {};
}

bool NamesControl(StepKind kind) {
    switch (kind) {
        case StepKind::Enter:
        case StepKind::Escape:
        case StepKind::Close:
        case StepKind::SysMenu:
        case StepKind::Answer:
        case StepKind::AnswerFile:
        case StepKind::AnswerFolder:
        case StepKind::Pump:
        case StepKind::ExpectDialog:
        case StepKind::ExpectMessage:
        case StepKind::Call:
            return false;
        default:
            return true;
    }
}

std::string StepText(const Step& step, bool maskText) {
    const std::string control = step.control.ToString();
    const std::string text = maskText ? std::string(kMask) : Quote(step.text);
    switch (step.kind) {
        case StepKind::Type:
            return "type " + control + ' ' + text;
        case StepKind::Click:
            return "click " + control;
        case StepKind::Check:
            return "check " + control;
        case StepKind::Uncheck:
            return "uncheck " + control;
        case StepKind::Select:
            return "select " + control + (step.toggle ? " ctrl" : "") +
                   (step.extend ? " shift" : "") + Rows(step.rows);
        case StepKind::ClickRow:
            return "click-row " + control + ' ' + std::to_string(step.row) + ' ' +
                   std::to_string(step.column);
        case StepKind::DoubleClickRow:
            return "double-click-row " + control + ' ' + std::to_string(step.row) + ' ' +
                   std::to_string(step.column);
        case StepKind::Column:
            return "column " + control + ' ' + std::to_string(step.column);
        case StepKind::Pick:
            return "pick " + control + ' ' + (step.byIndex ? std::to_string(step.number) : text);
        case StepKind::Focus:
            return "focus " + control;
        case StepKind::Enter:
            return "enter";
        case StepKind::Escape:
            return "escape";
        case StepKind::Close:
            return "close";
        case StepKind::Drag:
            return "drag " + control + ' ' + std::to_string(step.row) + " to " +
                   (step.target < 0 ? std::string("end") : std::to_string(step.target));
        case StepKind::SysMenu:
            return "sysmenu " + std::to_string(step.number);
        case StepKind::Answer:
            return std::string("answer ") + AnswerWord(step.number);
        case StepKind::AnswerFile:
            return "answer-file " + (step.cancel ? std::string("cancel") : text);
        case StepKind::AnswerFolder:
            return "answer-folder " + (step.cancel ? std::string("cancel") : text);
        case StepKind::Pump:
            return "pump " + std::to_string(step.number);
        case StepKind::ExpectDialog:
            return "expect dialog " +
                   (step.byIndex ? std::to_string(step.number) : Quote(step.text));
        case StepKind::ExpectText:
            return "expect text " + control + ' ' + text;
        case StepKind::ExpectState:
            return std::string("expect ") + StateWord(step.state) + ' ' + control;
        case StepKind::ExpectRows:
            return "expect rows " + control + ' ' + std::to_string(step.number);
        case StepKind::ExpectCell:
            return "expect cell " + control + ' ' + std::to_string(step.row) + ' ' +
                   std::to_string(step.column) + ' ' + text;
        case StepKind::ExpectSelected:
            return "expect selected " + control + Rows(step.rows);
        case StepKind::ExpectMessage:
            return "expect message " + text + (step.hasCaption ? ' ' + Quote(step.caption) : "");
        case StepKind::Call:
            return "(callback)";
    }
    return {};
}

}  // namespace ui::headless
