// The headless backend: controls live in memory and a script plays the user. Modal loops
// take their steps from the script, so nested dialogs need no threads; message boxes and the
// common dialogs take the next step as their answer. Everything is written to a transcript.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/backend.h"
#include "ui/headless/script.h"
#include "ui/headless/step_player.h"
#include "ui/headless/transcript.h"

namespace ui::headless {

class HeadlessWindow;

class HeadlessBackend : public Backend {
  public:
    explicit HeadlessBackend(Script script = {});
    ~HeadlessBackend() override;
    HeadlessBackend(const HeadlessBackend&) = delete;
    HeadlessBackend& operator=(const HeadlessBackend&) = delete;

    const Transcript& GetTranscript() const { return transcript_; }
    // Records the steps that were never played as a failure; the destructor does it too.
    void Finish();
    bool AllStepsPlayed() const { return next_ >= script_.Steps().size(); }
    // Writes the transcript when the backend is destroyed: to `path`, or to standard output
    // when it is empty.
    void WriteTranscriptAtEnd(std::string path);

    // The dialog that takes the next step: the topmost shown window, else the innermost
    // modal dialog.
    Dialog* ActiveDialog() const;
    bool IsDragging() const { return dragging_; }
    Point DragPosition() const { return dragPosition_; }

    std::unique_ptr<BackendWindow> CreateWindow(Dialog& dialog) override;
    void RunModalLoop(Dialog& dialog) override;
    bool PumpOneMessage() override;
    int MessageBox(Dialog* owner, const std::string& text, const std::string& caption,
                   unsigned type) override;
    bool GetOpenFileName(Dialog* owner, OpenFileRequest& request) override;
    bool BrowseForFolder(Dialog* owner, BrowseFolderRequest& request) override;
    void Beep() override;
    void DragBegin(const ImageList& image, int index, Point hotspot) override;
    void DragMove(Point screen) override;
    void DragShow(bool show) override;
    void DragEnd() override;

    // Window bookkeeping, called by HeadlessWindow.
    void WindowCreated(HeadlessWindow& window);
    void WindowOpened(HeadlessWindow& window);
    void WindowDestroyed(HeadlessWindow& window);

  private:
    const Step* Peek() const;
    void Play(const Step& step, Dialog& fallback);
    // The next step when it is an answer of `kind`, taken from the script; null otherwise.
    const Step* TakeAnswer(StepKind kind);
    // Records that a box or dialog got no answer, naming the step that came instead.
    void Unanswered(const std::string& what);

    Script script_;
    std::size_t next_ = 0;
    int pumpsLeft_ = 0;    // of the pump step at next_, once a pump has seen it
    int currentLine_ = 0;  // of the step being played, for entries made meanwhile
    bool finished_ = false;
    std::optional<std::string> transcriptPath_;
    Transcript transcript_;
    std::optional<MessageRecord> lastMessage_;
    StepPlayer player_;
    std::vector<HeadlessWindow*> windows_;
    std::vector<Dialog*> modalLoops_;
    bool dragging_ = false;
    bool dragShown_ = false;
    Point dragPosition_;
};

}  // namespace ui::headless
