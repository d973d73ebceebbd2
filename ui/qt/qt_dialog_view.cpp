#include "ui/qt/qt_dialog_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>

#include "ui/qt/qt_control_factory.h"
#include "ui/qt/qt_dialog_font.h"
#include "ui/qt/qt_pixmap.h"
#include "ui/qt/qt_text.h"

namespace ui::qtbackend {
namespace {

Qt::WindowFlags Flags(const DialogTemplate& tmpl, bool owned) {
    Qt::WindowFlags flags = owned ? Qt::Dialog : Qt::Window;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (tmpl.systemMenu) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if (tmpl.minimizeBox) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    return flags;
}

}  // namespace

DialogView::DialogView(Dialog& dialog, QWidget* parentWindow)
    : dialog_(dialog), window_(new QWidget(parentWindow)), context_(new QObject(this)) {
    const DialogTemplate& tmpl = dialog.Template();
    window_->setWindowFlags(Flags(tmpl, parentWindow != nullptr));
    window_->setFont(DialogFont());
    window_->setFixedSize(DluToPixelsX(tmpl.cx), DluToPixelsY(tmpl.cy));
    window_->setMouseTracking(true);
    window_->setObjectName(QString::fromLatin1("dialog-%1").arg(tmpl.id));
    // The dialog manager refuses input to the windows behind a modal dialog; Qt blocks it too,
    // so that nothing shows input the dialog never took.
    if (dialog.IsModal()) {
        window_->setWindowModality(Qt::ApplicationModal);
    }
    // Template order is creation order, which is Qt's tab order too.
    for (Control* control : dialog.Controls()) {
        std::unique_ptr<QtControl> view = MakeQtControl(*control, *window_, *context_);
        if (!view) {
            continue;
        }
        view->Widget()->setObjectName(QString::fromStdString(control->Template().name));
        view->Build();
        byModel_[control] = view.get();
        byWidget_[view->Widget()] = view.get();
        controls_.push_back(std::move(view));
    }
    ShowCaption();
    qApp->installEventFilter(this);
}

DialogView::~DialogView() {
    controls_.clear();
    delete window_.data();
}

QtControl* DialogView::ControlOf(const Control& control) const {
    const auto found = byModel_.find(&control);
    return found != byModel_.end() ? found->second : nullptr;
}

QtControl* DialogView::ControlWithId(int id) const {
    for (const auto& control : controls_) {
        if (control->Model().Id() == id) {
            return control.get();
        }
    }
    return nullptr;
}

void DialogView::Show(bool show) {
    if (!show) {
        window_->hide();
        return;
    }
    Flush();
    if (!placed_) {
        placed_ = true;
        const QWidget* owner = window_->parentWidget();
        const QRect area =
            owner != nullptr ? owner->frameGeometry() : window_->screen()->availableGeometry();
        QRect frame(QPoint(0, 0), window_->size());
        frame.moveCenter(area.center());
        window_->move(frame.topLeft());
    }
    window_->show();
    if (QGuiApplication::platformName() != QStringLiteral("offscreen")) {
        window_->raise();
    }
    window_->activateWindow();
    TellScreenOrigin();
    ShowFocus();
}

void DialogView::ShowCaption() {
    window_->setWindowTitle(ToQString(dialog_.GetWindowText()));
    const int icon = dialog_.GetIcon() != 0 ? dialog_.GetIcon() : dialog_.Template().iconId;
    window_->setWindowIcon(IconResource(icon));
}

void DialogView::ShowFocus() {
    if (QtControl* focused = ControlWithId(dialog_.GetFocusId())) {
        focused->Update(Change::Focus);
    }
}

void DialogView::Flush() {
    for (const auto& control : controls_) {
        control->Flush();
    }
}

void DialogView::ShowFocusChange() {
    for (const auto& control : controls_) {
        control->Update(Change::Focus);
    }
}

void DialogView::Retire() {
    qApp->removeEventFilter(this);
    delete context_;
    context_ = nullptr;
    if (window_) {
        window_->hide();
    }
    deleteLater();
}

void DialogView::TellScreenOrigin() {
    const QPoint origin = window_->mapToGlobal(QPoint(0, 0));
    dialog_.SetScreenOrigin({origin.x(), origin.y()});
}

QtControl* DialogView::ControlUnder(QObject* target) const {
    for (QObject* object = target; object != nullptr && object != window_;
         object = object->parent()) {
        if (auto* widget = qobject_cast<QWidget*>(object)) {
            const auto found = byWidget_.find(widget);
            if (found != byWidget_.end()) {
                return found->second;
            }
        }
    }
    return nullptr;
}

bool DialogView::eventFilter(QObject* target, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(target);
    if (context_ == nullptr || widget == nullptr || !window_ || widget->window() != window_) {
        return false;
    }
    // Any input may end the dialog and retire this view; nothing of it is touched afterwards.
    QPointer<QObject> alive(context_);
    const bool eaten = Route(target, event);
    return eaten || !alive;
}

bool DialogView::Route(QObject* target, QEvent* event) {
    auto* widget = static_cast<QWidget*>(target);
    switch (event->type()) {
        case QEvent::Close:
            if (widget == window_) {
                event->ignore();
                dialog_.UserCloseBox();
                return true;
            }
            return false;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                dialog_.UserEnter();
                return true;
            }
            if (key == Qt::Key_Escape) {
                dialog_.UserEscape();
                return true;
            }
            break;
        }
        case QEvent::ContextMenu:
            if (widget == window_ && dialog_.Template().systemMenu) {
                ShowSystemMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
                return true;
            }
            break;
        case QEvent::FocusIn:
            if (QtControl* control = ControlUnder(target)) {
                const int id = control->Model().Id();
                if (dialog_.GetFocusId() != id) {
                    dialog_.UserSetFocus(id);
                }
            }
            return false;
        case QEvent::Move:
        case QEvent::Show:
            if (widget == window_) {
                TellScreenOrigin();
            }
            return false;
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease: {
            QPointer<QObject> alive(context_);
            RouteMouse(widget, event);
            if (!alive) {
                return true;
            }
            break;
        }
        default:
            break;
    }
    QtControl* control = ControlUnder(target);
    return control != nullptr && control->Input(target, event);
}

void DialogView::ShowSystemMenu(QPoint at) {
    // The window manager's menu cannot take the program's items, so the dialog's own client
    // area offers them, after Close.
    QMenu menu(window_);
    menu.addAction(QStringLiteral("Close"))->setData(SC_CLOSE);
    for (const auto& [id, text] : dialog_.SystemMenuItems()) {
        if (text.empty()) {
            menu.addSeparator();
        } else {
            menu.addAction(LabelText(text))->setData(id);
        }
    }
    const QAction* chosen = menu.exec(at);
    if (chosen != nullptr) {
        dialog_.UserSysCommand(chosen->data().toUInt());
    }
}

bool DialogView::RouteMouse(QWidget* target, QEvent* event) {
    // Mouse messages reach the dialog over its own client area, and from anywhere while it
    // holds the capture (during a row drag).
    if (target != window_ && !dialog_.HasCapture()) {
        return false;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    const RoutedMouse seen{static_cast<int>(event->type()), mouse->timestamp(),
                           mouse->globalPosition()};
    if (seen.type == lastMouse_.type && seen.timestamp == lastMouse_.timestamp &&
        seen.global == lastMouse_.global) {
        return false;
    }
    lastMouse_ = seen;
    const QPoint at = target->mapTo(window_, mouse->position().toPoint());
    const Point client{at.x(), at.y()};
    if (event->type() == QEvent::MouseMove) {
        return dialog_.UserMouseMove(client);
    }
    if (mouse->button() == Qt::LeftButton) {
        return dialog_.UserLButtonUp(client);
    }
    return false;
}

}  // namespace ui::qtbackend
