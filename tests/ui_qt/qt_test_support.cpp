#include "tests/ui_qt/qt_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "ui/qt/qt_window.h"

namespace ui::qttest {
namespace {

class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "halvern_ui_qt_tests";
        static char* argv[] = {name, nullptr};
        backend_ = std::make_unique<ui::qtbackend::QtBackend>(argc, argv);
        InstallBackend(backend_.get());
    }
    void TearDown() override {
        InstallBackend(nullptr);
        backend_.reset();
    }
    ui::qtbackend::QtBackend& Get() { return *backend_; }

  private:
    std::unique_ptr<ui::qtbackend::QtBackend> backend_;
};

QtEnvironment* const g_environment =
    static_cast<QtEnvironment*>(::testing::AddGlobalTestEnvironment(new QtEnvironment));

}  // namespace

ui::qtbackend::QtBackend& Backend() {
    return g_environment->Get();
}

QWidget* WindowOf(const Dialog& dialog) {
    const auto* window = ui::qtbackend::QtWindowOf(dialog);
    return window != nullptr ? window->Widget() : nullptr;
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers keys) {
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, buttons, keys);
    QApplication::sendEvent(widget, &event);
}

bool WithNextModal(const std::function<void()>& action,
                   const std::function<void(QWidget&)>& answer) {
    bool answered = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && !answered && modal->isVisible()) {
            answered = true;
            poll.stop();
            answer(*modal);
        }
    });
    poll.start();
    action();
    poll.stop();
    return answered;
}

void Settle() {
    QCoreApplication::processEvents();
}

std::string ScreenshotFolder() {
    const char* build = std::getenv("HALVERN_BUILD_DIR");
    const QString folder =
        QString::fromLocal8Bit(build != nullptr ? build : ".") + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    return folder.toStdString();
}

}  // namespace ui::qttest
