#include "ui/headless/answers.h"

#include <algorithm>
#include <array>

#include "ui/types.h"

namespace ui::headless {
namespace {

struct Answer {
    int id;
    const char* word;
};
constexpr std::array<Answer, 7> kAnswers{{{IDOK, "ok"},
                                          {IDCANCEL, "cancel"},
                                          {IDABORT, "abort"},
                                          {IDRETRY, "retry"},
                                          {IDIGNORE, "ignore"},
                                          {IDYES, "yes"},
                                          {IDNO, "no"}}};

constexpr unsigned kAbortRetryIgnore = 0x2;
constexpr unsigned kRetryCancel = 0x5;

}  // namespace

int AnswerFromWord(const std::string& word) {
    for (const auto& answer : kAnswers) {
        if (word == answer.word) {
            return answer.id;
        }
    }
    return 0;
}

const char* AnswerWord(int answer) {
    for (const auto& known : kAnswers) {
        if (known.id == answer) {
            return known.word;
        }
    }
    return "none";
}

std::vector<int> ButtonsOf(unsigned type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {IDOK, IDCANCEL};
        case kAbortRetryIgnore:
            return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL:
            return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO:
            return {IDYES, IDNO};
        case kRetryCancel:
            return {IDRETRY, IDCANCEL};
        default:
            return {IDOK};
    }
}

std::string ButtonsName(unsigned type) {
    std::string name;
    for (int button : ButtonsOf(type)) {
        name += AnswerWord(button);
    }
    return name;
}

std::string IconName(unsigned type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR:
            return "error";
        case MB_ICONQUESTION:
            return "question";
        case MB_ICONWARNING:
            return "warning";
        case MB_ICONINFORMATION:
            return "information";
        default:
            return "noicon";
    }
}

int MostCautiousAnswer(unsigned type) {
    const auto buttons = ButtonsOf(type);
    for (int cautious : {IDCANCEL, IDNO, IDOK, IDABORT}) {
        if (std::find(buttons.begin(), buttons.end(), cautious) != buttons.end()) {
            return cautious;
        }
    }
    return buttons.front();
}

}  // namespace ui::headless
