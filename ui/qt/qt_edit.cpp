#include "ui/qt/qt_edit.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "ui/dialog.h"
#include "ui/qt/qt_text.h"

namespace ui::qtbackend {
namespace {
constexpr int kNoLimit = 32767;
}  // namespace

QtEdit::QtEdit(Control& model, QWidget& parent, QObject& context)
    : QtControl(model), edit_(new QLineEdit(&parent)) {
    const std::uint32_t style = model.Template().style;
    edit_->setEchoMode(model.IsPassword() ? QLineEdit::Password : QLineEdit::Normal);
    edit_->setReadOnly((style & Style::ReadOnly) != 0);
    edit_->setFrame((style & (Style::Border | Style::Sunken)) != 0);
    if ((style & Style::Number) != 0) {
        edit_->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit_));
    }
    QObject::connect(edit_, &QLineEdit::textEdited, &context, [this](const QString& text) {
        // The model puts the caret after its text; the field keeps the user's caret instead.
        typing_ = true;
        const bool taken = Model().Owner().UserType(Model().Id(), FromQString(text));
        typing_ = false;
        if (!taken) {
            UpdateContent(Change::Text);
        }
    });
}

void QtEdit::UpdateContent(Change what) {
    // Setting the length puts the text in afresh and the caret at its end: only on a change.
    const int limit = Model().GetLimitText() > 0 ? Model().GetLimitText() : kNoLimit;
    if (edit_->maxLength() != limit) {
        edit_->setMaxLength(limit);
    }
    if (what == Change::Text) {
        const QString text = ToQString(Model().GetText());
        if (edit_->text() != text) {
            const int cursor = edit_->cursorPosition();
            edit_->setText(text);
            edit_->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
        }
    } else if (what == Change::Selection && !typing_) {
        const int start = Model().GetSelStart();
        edit_->setSelection(start, Model().GetSelEnd() - start);
    }
}

}  // namespace ui::qtbackend
