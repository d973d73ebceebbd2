#include "ui/headless/quoting.h"

namespace ui::headless {

std::string Quote(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                quoted += c;
                break;
        }
    }
    quoted += '"';
    return quoted;
}

}  // namespace ui::headless
