// Message-box buttons and answers by name, as scripts and transcripts spell them.
#pragma once

#include <string>
#include <vector>

namespace ui::headless {

// "yes" -> IDYES, ...; 0 for a word that is no answer.
int AnswerFromWord(const std::string& word);
const char* AnswerWord(int answer);
// The buttons of a message-box type (MB_OK, MB_YESNO, ...) and their name ("yesno").
std::vector<int> ButtonsOf(unsigned type);
std::string ButtonsName(unsigned type);
std::string IconName(unsigned type);
// The answer that does the least: Cancel when there is one, else No, else OK.
int MostCautiousAnswer(unsigned type);

}  // namespace ui::headless
