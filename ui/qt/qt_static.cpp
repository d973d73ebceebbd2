#include "ui/qt/qt_static.h"

#include "ui/qt/qt_text.h"

namespace ui::qtbackend {

QtStatic::QtStatic(Control& model, QWidget& parent)
    : QtControl(model), label_(new QLabel(&parent)) {
    const std::uint32_t style = model.Template().style;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if ((style & Style::Center) != 0) {
        horizontal = Qt::AlignHCenter;
    } else if ((style & Style::Right) != 0) {
        horizontal = Qt::AlignRight;
    }
    label_->setAlignment(horizontal | Qt::AlignTop);
    label_->setWordWrap(true);
    label_->setTextFormat(Qt::PlainText);
    // As a static control, it lets clicks through to the dialog under it.
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    if ((style & (Style::Sunken | Style::Border)) != 0) {
        label_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
}

void QtStatic::UpdateContent(Change what) {
    if (what == Change::Text) {
        label_->setText(LabelText(Model().GetText()));
    }
}

}  // namespace ui::qtbackend
