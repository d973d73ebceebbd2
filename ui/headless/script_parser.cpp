#include "ui/headless/script_parser.h"

#include <cctype>
#include <charconv>
#include <map>

#include "ui/headless/answers.h"

namespace ui::headless {
namespace {

bool ReadNumber(const std::string& word, int& number) {
    const char* first = word.data();
    const char* last = word.data() + word.size();
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        first += 2;
        base = 16;
    }
    const auto [end, error] = std::from_chars(first, last, number, base);
    return error == std::errc() && end == last && first != last;
}

const std::map<std::string, StepKind>& SimpleSteps() {
    static const std::map<std::string, StepKind> steps{
        {"enter", StepKind::Enter}, {"escape", StepKind::Escape}, {"close", StepKind::Close}};
    return steps;
}

const std::map<std::string, ControlState>& States() {
    static const std::map<std::string, ControlState> states{
        {"checked", ControlState::Checked}, {"unchecked", ControlState::Unchecked},
        {"enabled", ControlState::Enabled}, {"disabled", ControlState::Disabled},
        {"visible", ControlState::Visible}, {"hidden", ControlState::Hidden},
        {"focused", ControlState::Focused}};
    return states;
}

}  // namespace

bool ScriptParser::Fail(const std::string& message) {
    error_ = "line " + std::to_string(line_) + ": " + message;
    return false;
}

bool ScriptParser::Parse(std::string_view text, std::vector<Step>& steps) {
    while (!text.empty() || line_ == 0) {
        // A line ends at LF, CRLF or a lone CR, whichever editor wrote the script.
        const std::size_t newline = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, newline);
        std::size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
        if (newline != std::string_view::npos && text[newline] == '\r' && next < text.size() &&
            text[next] == '\n') {
            ++next;
        }
        text = text.substr(next);
        ++line_;
        std::vector<Token> tokens;
        if (!Tokenize(line, tokens)) {
            return false;
        }
        if (tokens.empty()) {
            continue;
        }
        Step step;
        step.line = line_;
        at_ = 0;
        if (!ParseStep(tokens, step)) {
            return false;
        }
        steps.push_back(std::move(step));
    }
    return true;
}

bool ScriptParser::Tokenize(std::string_view line, std::vector<Token>& tokens) {
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        if (c == '#') {
            return true;
        }
        Token token;
        if (c != '"') {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
                if (line[i] == '"') {
                    return Fail("a quote inside a word; quote the whole text");
                }
                token.text += line[i++];
            }
            tokens.push_back(std::move(token));
            continue;
        }
        token.quoted = true;
        ++i;
        bool closed = false;
        while (i < line.size()) {
            const char d = line[i++];
            if (d == '"') {
                closed = true;
                break;
            }
            if (d != '\\') {
                token.text += d;
                continue;
            }
            if (i == line.size()) {
                break;
            }
            switch (line[i++]) {
                case '"':
                    token.text += '"';
                    break;
                case '\\':
                    token.text += '\\';
                    break;
                case 'r':
                    token.text += '\r';
                    break;
                case 'n':
                    token.text += '\n';
                    break;
                case 't':
                    token.text += '\t';
                    break;
                default:
                    return Fail(std::string("unknown escape \\") + line[i - 1] +
                                " (use \\\" \\\\ \\r \\n \\t)");
            }
        }
        if (!closed) {
            return Fail("unterminated quoted text");
        }
        if (i < line.size() && line[i] != ' ' && line[i] != '\t') {
            return Fail("a quoted text must be followed by a blank");
        }
        tokens.push_back(std::move(token));
    }
    return true;
}

bool ScriptParser::Control(const std::vector<Token>& tokens, ControlRef& control) {
    if (at_ >= tokens.size()) {
        return Fail("'" + tokens[0].text + "' needs a control");
    }
    const Token& token = tokens[at_++];
    if (token.quoted) {
        control.by = ControlRef::By::Caption;
        control.text = token.text;
    } else if (ReadNumber(token.text, control.id)) {
        control.by = ControlRef::By::Id;
    } else {
        control.by = ControlRef::By::Name;
        control.text = token.text;
    }
    return true;
}

bool ScriptParser::Number(const std::vector<Token>& tokens, int& number, const char* what) {
    if (at_ >= tokens.size()) {
        return Fail("'" + tokens[0].text + "' needs " + what);
    }
    const Token& token = tokens[at_++];
    if (token.quoted || !ReadNumber(token.text, number)) {
        return Fail("'" + token.text + "' is not a number (" + what + ")");
    }
    return true;
}

bool ScriptParser::Text(const std::vector<Token>& tokens, std::string& text, const char* what) {
    if (at_ >= tokens.size()) {
        return Fail("'" + tokens[0].text + "' needs " + what);
    }
    text = tokens[at_++].text;
    return true;
}

bool ScriptParser::End(const std::vector<Token>& tokens) {
    if (at_ < tokens.size()) {
        return Fail("unexpected '" + tokens[at_].text + "' after the step");
    }
    return true;
}

bool ScriptParser::ParseStep(const std::vector<Token>& tokens, Step& step) {
    const Token& verb = tokens[at_++];
    if (verb.quoted) {
        return Fail("a step begins with a word, not a quoted text");
    }
    const std::string& word = verb.text;
    if (const auto simple = SimpleSteps().find(word); simple != SimpleSteps().end()) {
        step.kind = simple->second;
        return End(tokens);
    }
    if (word == "type") {
        step.kind = StepKind::Type;
        return Control(tokens, step.control) && Text(tokens, step.text, "a text") && End(tokens);
    }
    if (word == "click" || word == "check" || word == "uncheck" || word == "focus") {
        step.kind = word == "click"   ? StepKind::Click
                    : word == "check" ? StepKind::Check
                    : word == "focus" ? StepKind::Focus
                                      : StepKind::Uncheck;
        return Control(tokens, step.control) && End(tokens);
    }
    if (word == "select") {
        step.kind = StepKind::Select;
        if (!Control(tokens, step.control)) {
            return false;
        }
        if (at_ < tokens.size() && !tokens[at_].quoted && tokens[at_].text == "none") {
            ++at_;
            return End(tokens);
        }
        if (at_ < tokens.size() && !tokens[at_].quoted &&
            (tokens[at_].text == "ctrl" || tokens[at_].text == "shift")) {
            step.toggle = tokens[at_].text == "ctrl";
            step.extend = tokens[at_].text == "shift";
            ++at_;
            int row = 0;
            if (!Number(tokens, row, "a row")) {
                return false;
            }
            step.rows.push_back(row);
            return End(tokens);
        }
        do {
            int row = 0;
            if (!Number(tokens, row, "a row")) {
                return false;
            }
            step.rows.push_back(row);
        } while (at_ < tokens.size());
        return true;
    }
    if (word == "click-row" || word == "double-click-row") {
        step.kind = word == "click-row" ? StepKind::ClickRow : StepKind::DoubleClickRow;
        if (!Control(tokens, step.control) || !Number(tokens, step.row, "a row")) {
            return false;
        }
        if (at_ < tokens.size() && !Number(tokens, step.column, "a column")) {
            return false;
        }
        return End(tokens);
    }
    if (word == "column") {
        step.kind = StepKind::Column;
        return Control(tokens, step.control) && Number(tokens, step.column, "a column") &&
               End(tokens);
    }
    if (word == "pick") {
        step.kind = StepKind::Pick;
        if (!Control(tokens, step.control) || !Text(tokens, step.text, "an item")) {
            return false;
        }
        step.byIndex = !tokens[at_ - 1].quoted && ReadNumber(step.text, step.number);
        return End(tokens);
    }
    if (word == "drag") {
        step.kind = StepKind::Drag;
        if (!Control(tokens, step.control) || !Number(tokens, step.row, "a row")) {
            return false;
        }
        if (at_ >= tokens.size() || tokens[at_].quoted || tokens[at_].text != "to") {
            return Fail("drag: write 'drag LIST ROW to ROW' or 'drag LIST ROW to end'");
        }
        ++at_;
        if (at_ < tokens.size() && !tokens[at_].quoted && tokens[at_].text == "end") {
            ++at_;
            step.target = -1;
        } else if (!Number(tokens, step.target, "a row or 'end'")) {
            return false;
        } else if (step.target < 0) {
            return Fail("drag: the target row must not be negative");
        }
        return End(tokens);
    }
    if (word == "sysmenu") {
        step.kind = StepKind::SysMenu;
        return Number(tokens, step.number, "a command id") && End(tokens);
    }
    if (word == "pump") {
        step.kind = StepKind::Pump;
        if (!Number(tokens, step.number, "a count")) {
            return false;
        }
        if (step.number < 1) {
            return Fail("pump: the count must be at least 1");
        }
        return End(tokens);
    }
    if (word == "answer") {
        step.kind = StepKind::Answer;
        std::string answer;
        if (!Text(tokens, answer, "yes, no, ok or cancel")) {
            return false;
        }
        step.number = AnswerFromWord(answer);
        if (step.number == 0 || tokens[at_ - 1].quoted) {
            return Fail("'" + answer +
                        "' is no answer (yes, no, ok, cancel, abort, retry, ignore)");
        }
        return End(tokens);
    }
    if (word == "answer-file" || word == "answer-folder") {
        step.kind = word == "answer-file" ? StepKind::AnswerFile : StepKind::AnswerFolder;
        if (!Text(tokens, step.text, "a path or cancel")) {
            return false;
        }
        step.cancel = !tokens[at_ - 1].quoted && step.text == "cancel";
        return End(tokens);
    }
    if (word == "expect") {
        return ParseExpect(tokens, step);
    }
    return Fail("unknown step '" + word + "'");
}

bool ScriptParser::ParseExpect(const std::vector<Token>& tokens, Step& step) {
    std::string what;
    if (!Text(tokens, what, "what to expect")) {
        return false;
    }
    if (const auto state = States().find(what); state != States().end()) {
        step.kind = StepKind::ExpectState;
        step.state = state->second;
        return Control(tokens, step.control) && End(tokens);
    }
    if (what == "dialog") {
        step.kind = StepKind::ExpectDialog;
        if (!Text(tokens, step.text, "a dialog id or caption")) {
            return false;
        }
        step.byIndex = !tokens[at_ - 1].quoted;
        if (step.byIndex && !ReadNumber(step.text, step.number)) {
            return Fail("'" + step.text + "' is not a dialog id (quote a caption)");
        }
        return End(tokens);
    }
    if (what == "text") {
        step.kind = StepKind::ExpectText;
        return Control(tokens, step.control) && Text(tokens, step.text, "a text") && End(tokens);
    }
    if (what == "rows") {
        step.kind = StepKind::ExpectRows;
        return Control(tokens, step.control) && Number(tokens, step.number, "a row count") &&
               End(tokens);
    }
    if (what == "cell") {
        step.kind = StepKind::ExpectCell;
        return Control(tokens, step.control) && Number(tokens, step.row, "a row") &&
               Number(tokens, step.column, "a column") && Text(tokens, step.text, "a text") &&
               End(tokens);
    }
    if (what == "selected") {
        step.kind = StepKind::ExpectSelected;
        if (!Control(tokens, step.control)) {
            return false;
        }
        if (at_ < tokens.size() && !tokens[at_].quoted && tokens[at_].text == "none") {
            ++at_;
            return End(tokens);
        }
        while (at_ < tokens.size()) {
            int row = 0;
            if (!Number(tokens, row, "a row")) {
                return false;
            }
            step.rows.push_back(row);
        }
        if (step.rows.empty()) {
            return Fail("expect selected: name the rows, or none");
        }
        return true;
    }
    if (what == "message") {
        step.kind = StepKind::ExpectMessage;
        if (!Text(tokens, step.text, "the message text")) {
            return false;
        }
        if (at_ < tokens.size()) {
            step.hasCaption = true;
            step.caption = tokens[at_++].text;
        }
        return End(tokens);
    }
    return Fail("unknown expectation '" + what + "'");
}

}  // namespace ui::headless
