#include "ui/common_dialogs.h"

#include "ui/dialog.h"

namespace ui {

bool GetOpenFileName(Dialog* owner, OpenFileRequest& request) {
    Backend* backend = InstalledBackend();
    if (backend == nullptr) {
        return false;
    }
    const Dialog::DisabledWhileModal disabled(owner);
    return backend->GetOpenFileName(owner, request);
}

bool BrowseForFolder(Dialog* owner, BrowseFolderRequest& request) {
    Backend* backend = InstalledBackend();
    if (backend == nullptr) {
        return false;
    }
    const Dialog::DisabledWhileModal disabled(owner);
    return backend->BrowseForFolder(owner, request);
}

bool PumpOneMessage() {
    Backend* backend = InstalledBackend();
    return backend != nullptr && backend->PumpOneMessage();
}

}  // namespace ui
