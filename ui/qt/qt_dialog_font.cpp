#include "ui/qt/qt_dialog_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include "ui/dialog_template.h"

namespace ui::qtbackend {
namespace {

// Average character width as the dialog manager measures it for its base units.
double AverageWidth(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (width / 26.0 + 1.0) / 2.0;
}

QString Family() {
    // Narrow sans-serif faces come closest to the templates' system font.
    const QStringList preferred = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                   QStringLiteral("DejaVu Sans Condensed")};
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : preferred) {
        if (installed.contains(family)) {
            return family;
        }
    }
    return QApplication::font().family();
}

}  // namespace

QFont DialogFont() {
    QFont font(Family());
    constexpr double kSlack = 0.15;
    int chosen = 8;
    for (int pixels = 8; pixels <= 16; ++pixels) {
        font.setPixelSize(pixels);
        if (AverageWidth(font) > kBaseUnitX + kSlack || QFontMetrics(font).height() > kBaseUnitY) {
            break;
        }
        chosen = pixels;
    }
    font.setPixelSize(chosen);
    return font;
}

}  // namespace ui::qtbackend
