// What happened during a headless run, one entry a line (format in docs/ui-script.md).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace ui::headless {

enum class EntryKind {
    Open,          // a dialog was shown: id and caption
    Close,         // a dialog was closed: id and result
    Step,          // a step was played
    Refused,       // the dialog refused the step's input (disabled, hidden, ...)
    Message,       // a message box: text, caption, buttons, icon, owner, answer
    OpenFile,      // an open-file dialog: filter, title, answer
    BrowseFolder,  // a folder browser: title, answer
    Beep,          // the dialog manager beeped (Enter on a disabled default button)
    Failure,       // an expectation failed, a box went unanswered, the script ran out, ...
};

struct TranscriptEntry {
    EntryKind kind = EntryKind::Step;
    int line = 0;  // the script line, 0 when no step was playing
    std::string text;

    std::string ToString() const;
};

class Transcript {
  public:
    void Add(EntryKind kind, int line, std::string text);
    const std::vector<TranscriptEntry>& Entries() const { return entries_; }
    std::vector<TranscriptEntry> Failures() const;
    bool HasFailures() const;
    // Every entry as its line, each ended by a newline.
    std::string ToText() const;
    void Write(std::ostream& out) const;
    bool WriteToFile(const std::string& path) const;

  private:
    std::vector<TranscriptEntry> entries_;
};

}  // namespace ui::headless
