#include "ui/qt/qt_group_box.h"

#include <QPainter>

#include "ui/qt/qt_text.h"

namespace ui::qtbackend {
namespace {

constexpr int kCaptionInset = 8;
constexpr Qt::Alignment kCaptionFlags = Qt::AlignLeft | Qt::AlignTop;

class GroupFrame : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QString caption = accessibleName();
        // An etched frame whose top line runs through the middle of the caption's first line.
        const int line = fontMetrics().height() / 2;
        const QRect frame(0, line, width() - 2, height() - line - 2);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(frame);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(frame.translated(1, 1));
        if (caption.isEmpty()) {
            return;
        }
        const QRect text = QtGroupBox::CaptionRect(*this, caption);
        painter.fillRect(text.adjusted(-2, 0, 2, 0), palette().color(QPalette::Window));
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::WindowText));
        painter.drawText(text, static_cast<int>(kCaptionFlags) | Qt::TextWordWrap, caption);
    }
};

}  // namespace

QtGroupBox::QtGroupBox(Control& model, QWidget& parent)
    : QtControl(model), frame_(new GroupFrame(&parent)) {
    // The controls inside are drawn over the frame, so it must not take their clicks.
    frame_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

QRect QtGroupBox::CaptionRect(const QWidget& frame, const QString& caption) {
    const QRect room(kCaptionInset, 0, frame.width() - 2 * kCaptionInset, frame.height());
    return frame.fontMetrics().boundingRect(
        room, static_cast<int>(kCaptionFlags) | Qt::TextWordWrap, caption);
}

void QtGroupBox::UpdateContent(Change what) {
    if (what == Change::Text) {
        // The caption is the frame's accessible name, which is also what is drawn.
        frame_->setAccessibleName(LabelText(Model().GetText()));
        frame_->update();
    }
}

}  // namespace ui::qtbackend
