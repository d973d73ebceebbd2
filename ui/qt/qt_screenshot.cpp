#include "ui/qt/qt_screenshot.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "ui/qt/qt_text.h"
#include "ui/qt/qt_window.h"

namespace ui::qtbackend {
namespace {

constexpr int kBorder = 1;
constexpr int kTitleHeight = 22;

void DrawTitleBar(QPainter& painter, const QWidget& window, int width) {
    const QRect bar(kBorder, kBorder, width - 2 * kBorder, kTitleHeight);
    const QColor colour = window.palette().color(QPalette::Active, QPalette::Highlight);
    painter.fillRect(bar, colour.darker(130));
    int textLeft = bar.left() + 6;
    const QIcon icon = window.windowIcon();
    if (!icon.isNull()) {
        const QRect iconRect(bar.left() + 4, bar.top() + (kTitleHeight - 16) / 2, 16, 16);
        icon.paint(&painter, iconRect);
        textLeft = iconRect.right() + 6;
    }
    QFont font = window.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QRect closeBox(bar.right() - kTitleHeight + 3, bar.top() + 3, kTitleHeight - 6,
                         kTitleHeight - 6);
    painter.drawText(QRect(textLeft, bar.top(), closeBox.left() - textLeft - 4, kTitleHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, window.windowTitle());
    if ((window.windowFlags() & Qt::WindowCloseButtonHint) != 0) {
        painter.setPen(QPen(Qt::white, 1.5));
        painter.drawLine(closeBox.topLeft() + QPoint(4, 4), closeBox.bottomRight() - QPoint(4, 4));
        painter.drawLine(closeBox.topRight() + QPoint(-4, 4),
                         closeBox.bottomLeft() + QPoint(4, -4));
    }
}

}  // namespace

QImage GrabDialog(Dialog& dialog) {
    QtWindow* window = QtWindowOf(dialog);
    if (window == nullptr) {
        return {};
    }
    window->Flush();
    QWidget* widget = window->Widget();
    const QPixmap client = widget->grab();
    const QSize size(client.width() + 2 * kBorder, client.height() + kTitleHeight + 2 * kBorder);
    QImage framed(size, QImage::Format_ARGB32);
    framed.fill(widget->palette().color(QPalette::Window).darker(160));
    QPainter painter(&framed);
    DrawTitleBar(painter, *widget, size.width());
    painter.drawPixmap(kBorder, kBorder + kTitleHeight, client);
    painter.end();
    return framed;
}

bool SaveScreenshot(Dialog& dialog, const std::string& pngPath) {
    const QImage image = GrabDialog(dialog);
    return !image.isNull() && image.save(ToQString(pngPath), "PNG");
}

}  // namespace ui::qtbackend
