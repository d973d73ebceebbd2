#include "ui/qt/qt_message_box.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "ui/qt/qt_text.h"
#include "ui/types.h"

namespace ui::qtbackend {
namespace {

struct Answer {
    int id;
    QMessageBox::StandardButton button;
};

std::vector<Answer> Buttons(unsigned type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {{IDOK, QMessageBox::Ok}, {IDCANCEL, QMessageBox::Cancel}};
        case MB_YESNOCANCEL:
            return {{IDYES, QMessageBox::Yes},
                    {IDNO, QMessageBox::No},
                    {IDCANCEL, QMessageBox::Cancel}};
        case MB_YESNO:
            return {{IDYES, QMessageBox::Yes}, {IDNO, QMessageBox::No}};
        default:
            return {{IDOK, QMessageBox::Ok}};
    }
}

QMessageBox::Icon Icon(unsigned type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONHAND:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONASTERISK:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// A Yes/No box can only be answered with its buttons: Escape and the close box do nothing.
class NoEscape : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            return true;
        }
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return false;
    }
};

}  // namespace

int ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption,
                   unsigned type) {
    QMessageBox box(Icon(type), ToQString(caption), ToQString(text), QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    if ((type & (MB_TOPMOST | MB_SYSTEMMODAL)) != 0) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    const std::vector<Answer> answers = Buttons(type);
    std::vector<std::pair<QAbstractButton*, int>> buttons;
    for (const Answer& answer : answers) {
        buttons.emplace_back(box.addButton(answer.button), answer.id);
    }
    // The first button is the default one; Escape and the close box answer as Cancel does,
    // or as OK in a box with OK alone; a Yes/No box has no such answer.
    box.setDefaultButton(static_cast<QPushButton*>(buttons.front().first));
    NoEscape noEscape;
    if ((type & MB_TYPEMASK) == MB_YESNO) {
        box.installEventFilter(&noEscape);
    } else {
        box.setEscapeButton(buttons.back().first);
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const auto& [button, id] : buttons) {
        if (button == clicked) {
            return id;
        }
    }
    return buttons.back().second;
}

}  // namespace ui::qtbackend
