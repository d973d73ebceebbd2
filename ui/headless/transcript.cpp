#include "ui/headless/transcript.h"

#include <fstream>
#include <ostream>

namespace ui::headless {
namespace {

const char* KindWord(EntryKind kind) {
    switch (kind) {
        case EntryKind::Open:
            return "open";
        case EntryKind::Close:
            return "close";
        case EntryKind::Step:
            return "step";
        case EntryKind::Refused:
            return "refused";
        case EntryKind::Message:
            return "message";
        case EntryKind::OpenFile:
            return "open-file";
        case EntryKind::BrowseFolder:
            return "browse-folder";
        case EntryKind::Beep:
            return "beep";
        case EntryKind::Failure:
            return "FAIL";
    }
    return "?";
}

bool TakesLine(EntryKind kind) {
    return kind == EntryKind::Step || kind == EntryKind::Refused || kind == EntryKind::Failure;
}

}  // namespace

std::string TranscriptEntry::ToString() const {
    std::string shown = KindWord(kind);
    if (TakesLine(kind)) {
        if (line > 0) {
            shown += ' ' + std::to_string(line);
        }
        shown += ':';
    }
    if (!text.empty()) {
        shown += ' ' + text;
    }
    return shown;
}

void Transcript::Add(EntryKind kind, int line, std::string text) {
    entries_.push_back({kind, line, std::move(text)});
}

std::vector<TranscriptEntry> Transcript::Failures() const {
    std::vector<TranscriptEntry> failures;
    for (const auto& entry : entries_) {
        if (entry.kind == EntryKind::Failure) {
            failures.push_back(entry);
        }
    }
    return failures;
}

bool Transcript::HasFailures() const {
    for (const auto& entry : entries_) {
        if (entry.kind == EntryKind::Failure) {
            return true;
        }
    }
    return false;
}

std::string Transcript::ToText() const {
    std::string text;
    for (const auto& entry : entries_) {
        text += entry.ToString() + '\n';
    }
    return text;
}

void Transcript::Write(std::ostream& out) const {
    out << ToText();
    out.flush();
}

bool Transcript::WriteToFile(const std::string& path) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out << ToText();
    return static_cast<bool>(out.flush());
}

}  // namespace ui::headless
