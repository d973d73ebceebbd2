#include "ui/qt/qt_multiline_edit.h"

#include <QTextCursor>

#include "ui/dialog.h"
#include "ui/qt/qt_text.h"

namespace ui::qtbackend {

QtMultilineEdit::QtMultilineEdit(Control& model, QWidget& parent, QObject& context)
    : QtControl(model), edit_(new QPlainTextEdit(&parent)) {
    const std::uint32_t style = model.Template().style;
    edit_->setReadOnly((style & Style::ReadOnly) != 0);
    edit_->setTabChangesFocus(true);
    if ((style & Style::VScroll) == 0) {
        edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    QObject::connect(edit_, &QPlainTextEdit::textChanged, &context, [this, &model] {
        if (!showing_ && !model.Owner().UserType(model.Id(), FromQString(edit_->toPlainText()))) {
            UpdateContent(Change::Text);
        }
    });
}

void QtMultilineEdit::UpdateContent(Change what) {
    if (what != Change::Text) {
        return;
    }
    const QString text = ToQString(Model().GetText());
    if (edit_->toPlainText() == text) {
        return;
    }
    const int cursor = edit_->textCursor().position();
    showing_ = true;
    edit_->setPlainText(text);
    showing_ = false;
    QTextCursor restored = edit_->textCursor();
    restored.setPosition(std::min(cursor, static_cast<int>(text.size())));
    edit_->setTextCursor(restored);
}

}  // namespace ui::qtbackend
