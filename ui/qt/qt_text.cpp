#include "ui/qt/qt_text.h"

namespace ui::qtbackend {

QString ToQString(const std::string& text) {
    QString result = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

std::string FromQString(const QString& text) {
    QString windows = text;
    windows.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    windows.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    const QByteArray bytes = windows.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString LabelText(const std::string& caption) {
    const QString text = ToQString(caption);
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                result += u'&';
                ++i;
            }
            continue;
        }
        result += text[i];
    }
    return result;
}

QString MnemonicText(const std::string& caption) {
    return ToQString(caption);
}

}  // namespace ui::qtbackend
