#include "ui/headless/headless_backend.h"

#include <algorithm>
#include <iostream>

#include "ui/dialog.h"
#include "ui/headless/answers.h"
#include "ui/headless/headless_window.h"
#include "ui/headless/quoting.h"

namespace ui::headless {
namespace {

std::string Owner(const Dialog* owner) {
    return owner == nullptr ? std::string("owner=none")
                            : "owner=" + std::to_string(owner->TemplateId());
}

}  // namespace

HeadlessBackend::HeadlessBackend(Script script)
    : script_(std::move(script)), player_(transcript_, lastMessage_) {}

HeadlessBackend::~HeadlessBackend() {
    for (HeadlessWindow* window : windows_) {
        window->Detach();
    }
    Finish();
    if (!transcriptPath_) {
        return;
    }
    if (transcriptPath_->empty()) {
        transcript_.Write(std::cout);
    } else if (!transcript_.WriteToFile(*transcriptPath_)) {
        std::cerr << "cannot write the transcript to " << *transcriptPath_ << '\n';
    }
}

void HeadlessBackend::Finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    if (!AllStepsPlayed()) {
        const auto left = script_.Steps().size() - next_;
        transcript_.Add(EntryKind::Failure, script_.Steps()[next_].line,
                        std::to_string(left) + " step(s) left unplayed when the program ended");
    }
}

void HeadlessBackend::WriteTranscriptAtEnd(std::string path) {
    transcriptPath_ = std::move(path);
}

Dialog* HeadlessBackend::ActiveDialog() const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        if ((*it)->IsShown()) {
            return &(*it)->GetDialog();
        }
    }
    return modalLoops_.empty() ? nullptr : modalLoops_.back();
}

std::unique_ptr<BackendWindow> HeadlessBackend::CreateWindow(Dialog& dialog) {
    return std::make_unique<HeadlessWindow>(*this, dialog);
}

void HeadlessBackend::WindowCreated(HeadlessWindow& window) {
    windows_.push_back(&window);
}

void HeadlessBackend::WindowOpened(HeadlessWindow& window) {
    const Dialog& dialog = window.GetDialog();
    transcript_.Add(EntryKind::Open, 0,
                    std::to_string(dialog.TemplateId()) + ' ' + Quote(dialog.GetWindowText()));
}

void HeadlessBackend::WindowDestroyed(HeadlessWindow& window) {
    const Dialog& dialog = window.GetDialog();
    std::string text = std::to_string(dialog.TemplateId());
    text += dialog.IsModal() ? " -> " + std::to_string(dialog.Result()) : " (modeless)";
    transcript_.Add(EntryKind::Close, 0, text);
    windows_.erase(std::remove(windows_.begin(), windows_.end(), &window), windows_.end());
}

const Step* HeadlessBackend::Peek() const {
    return AllStepsPlayed() ? nullptr : &script_.Steps()[next_];
}

void HeadlessBackend::Play(const Step& step, Dialog& fallback) {
    Dialog* target = ActiveDialog();
    const int outerLine = currentLine_;
    currentLine_ = step.line;
    player_.Play(step, target != nullptr ? *target : fallback);
    currentLine_ = outerLine;
}

void HeadlessBackend::RunModalLoop(Dialog& dialog) {
    modalLoops_.push_back(&dialog);
    while (!dialog.IsEnded()) {
        const Step* step = Peek();
        if (step == nullptr) {
            // Ending the dialog directly, not through OnClose: a close handler that asks a
            // question would find no answer either.
            transcript_.Add(EntryKind::Failure, currentLine_,
                            "the script ended while dialog " + std::to_string(dialog.TemplateId()) +
                                ' ' + Quote(dialog.GetWindowText()) +
                                " was open; it was ended with IDCANCEL");
            dialog.EndDialog(IDCANCEL);
            break;
        }
        ++next_;
        pumpsLeft_ = 0;
        Play(*step, dialog);
    }
    modalLoops_.pop_back();
}

bool HeadlessBackend::PumpOneMessage() {
    const Step* step = Peek();
    if (step == nullptr || step->kind != StepKind::Pump) {
        return false;
    }
    if (pumpsLeft_ == 0) {
        pumpsLeft_ = step->number;
    }
    if (--pumpsLeft_ > 0) {
        return false;
    }
    transcript_.Add(EntryKind::Step, step->line, StepText(*step, false));
    ++next_;
    const Step* pumped = Peek();
    Dialog* target = ActiveDialog();
    if (pumped == nullptr || target == nullptr) {
        return false;
    }
    ++next_;
    Play(*pumped, *target);
    return true;
}

const Step* HeadlessBackend::TakeAnswer(StepKind kind) {
    const Step* step = Peek();
    if (step == nullptr || step->kind != kind) {
        return nullptr;
    }
    ++next_;
    return step;
}

void HeadlessBackend::Unanswered(const std::string& what) {
    const Step* step = Peek();
    transcript_.Add(
        EntryKind::Failure, currentLine_,
        what + " was not answered: the next step is " +
            (step == nullptr ? std::string("none (end of script)")
                             : "line " + std::to_string(step->line) + ' ' + StepText(*step, true)));
}

int HeadlessBackend::MessageBox(Dialog* owner, const std::string& text, const std::string& caption,
                                unsigned type) {
    lastMessage_ = MessageRecord{text, caption};
    const std::string shown = Quote(text) + ' ' + Quote(caption) + ' ' + ButtonsName(type) + ' ' +
                              IconName(type) + ' ' + Owner(owner);
    const Step* answer = TakeAnswer(StepKind::Answer);
    int result = MostCautiousAnswer(type);
    if (answer == nullptr) {
        transcript_.Add(EntryKind::Message, 0, shown + " -> " + AnswerWord(result));
        Unanswered("message box " + Quote(text));
        return result;
    }
    const auto buttons = ButtonsOf(type);
    if (std::find(buttons.begin(), buttons.end(), answer->number) != buttons.end()) {
        result = answer->number;
    }
    transcript_.Add(EntryKind::Message, answer->line, shown + " -> " + AnswerWord(result));
    if (result != answer->number) {
        transcript_.Add(EntryKind::Failure, answer->line,
                        std::string("answer ") + AnswerWord(answer->number) +
                            ": the message box has no such button (" + ButtonsName(type) + ")");
    }
    return result;
}

bool HeadlessBackend::GetOpenFileName(Dialog* owner, OpenFileRequest& request) {
    const std::string shown =
        Quote(request.filter) + ' ' + Quote(request.title) + ' ' + Owner(owner);
    const Step* answer = TakeAnswer(StepKind::AnswerFile);
    if (answer == nullptr) {
        transcript_.Add(EntryKind::OpenFile, 0, shown + " -> cancel");
        Unanswered("open-file dialog " + Quote(request.title));
        return false;
    }
    transcript_.Add(
        EntryKind::OpenFile, answer->line,
        shown + " -> " + (answer->cancel ? std::string("cancel") : Quote(answer->text)));
    if (answer->cancel) {
        return false;
    }
    request.path = answer->text;
    return true;
}

bool HeadlessBackend::BrowseForFolder(Dialog* owner, BrowseFolderRequest& request) {
    const std::string shown = Quote(request.title) + ' ' + Owner(owner);
    const Step* answer = TakeAnswer(StepKind::AnswerFolder);
    if (answer == nullptr) {
        transcript_.Add(EntryKind::BrowseFolder, 0, shown + " -> cancel");
        Unanswered("folder browser " + Quote(request.title));
        return false;
    }
    transcript_.Add(
        EntryKind::BrowseFolder, answer->line,
        shown + " -> " + (answer->cancel ? std::string("cancel") : Quote(answer->text)));
    if (answer->cancel) {
        return false;
    }
    request.path = answer->text;
    return true;
}

void HeadlessBackend::Beep() {
    transcript_.Add(EntryKind::Beep, 0, {});
}

void HeadlessBackend::DragBegin(const ImageList&, int, Point) {
    dragging_ = true;
    dragShown_ = false;
}

void HeadlessBackend::DragMove(Point screen) {
    dragPosition_ = screen;
}

void HeadlessBackend::DragShow(bool show) {
    dragShown_ = show;
}

void HeadlessBackend::DragEnd() {
    dragging_ = false;
    dragShown_ = false;
}

}  // namespace ui::headless
