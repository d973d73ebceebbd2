// What the Qt backend's tests share: one backend for the test program, installed for every
// test, and helpers that play a user on real widgets.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <functional>
#include <string>

#include "ui/dialog.h"
#include "ui/qt/qt_backend.h"

namespace ui::qttest {

ui::qtbackend::QtBackend& Backend();

// The window of a dialog shown by the Qt backend, and a widget of it by its symbolic id.
QWidget* WindowOf(const Dialog& dialog);
template <class W = QWidget>
W* WidgetOf(const Dialog& dialog, const char* name) {
    return WindowOf(dialog)->findChild<W*>(QString::fromLatin1(name));
}

// Sends a mouse event to `widget` at `at` (its coordinates) through the application, so that
// event filters see it as they see the user's.
void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers keys = Qt::NoModifier);

// Runs `answer` on the next modal window that comes up while `action` runs (a message box or
// a common dialog); false when none came up.
bool WithNextModal(const std::function<void()>& action,
                   const std::function<void(QWidget&)>& answer);

// Lets Qt handle what is posted to it, as its event loop would before the user sees the
// window again (lists show a program's changes together then).
void Settle();

// The folder the tests write screenshots to, inside the build folder.
std::string ScreenshotFolder();

}  // namespace ui::qttest
