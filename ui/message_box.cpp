#include "ui/message_box.h"

#include "ui/backend.h"
#include "ui/dialog.h"

namespace ui {

int MessageBox(Dialog* owner, const std::string& text, const std::string& caption, unsigned type) {
    Backend* backend = InstalledBackend();
    if (backend == nullptr) {
        return 0;
    }
    // The owner takes no input while its message box is up.
    const Dialog::DisabledWhileModal disabled(owner);
    return backend->MessageBox(owner, text, caption, type);
}

}  // namespace ui
