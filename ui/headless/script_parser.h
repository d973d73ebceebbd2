// Reads the script language into steps: one step a line, words and quoted texts, # comments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/headless/step.h"

namespace ui::headless {

class ScriptParser {
  public:
    // Line numbers continue after `firstLine` lines already read.
    explicit ScriptParser(int firstLine = 0) : line_(firstLine) {}

    bool Parse(std::string_view text, std::vector<Step>& steps);
    const std::string& Error() const { return error_; }
    int LastLine() const { return line_; }

  private:
    struct Token {
        std::string text;
        bool quoted = false;
    };

    bool Tokenize(std::string_view line, std::vector<Token>& tokens);
    bool ParseStep(const std::vector<Token>& tokens, Step& step);
    bool ParseExpect(const std::vector<Token>& tokens, Step& step);
    bool Fail(const std::string& message);

    // Argument readers: each takes the token at `at_` and advances.
    bool Control(const std::vector<Token>& tokens, ControlRef& control);
    bool Number(const std::vector<Token>& tokens, int& number, const char* what);
    bool Text(const std::vector<Token>& tokens, std::string& text, const char* what);
    bool End(const std::vector<Token>& tokens);

    int line_;
    std::size_t at_ = 0;
    std::string error_;
};

}  // namespace ui::headless
