// Texts between the framework (single-byte ANSI, "\r\n" line breaks) and Qt.
#pragma once

#include <QString>
#include <string>

namespace ui::qtbackend {

QString ToQString(const std::string& text);
std::string FromQString(const QString& text);
// A caption as a label shows it: "&&" is one ampersand, a single '&' marks the mnemonic and
// is not drawn.
QString LabelText(const std::string& caption);
// A caption for a Qt widget that understands mnemonics itself (buttons, group boxes).
QString MnemonicText(const std::string& caption);

}  // namespace ui::qtbackend
