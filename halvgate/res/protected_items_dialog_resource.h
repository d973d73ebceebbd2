// Dialog template 102: the protected items window.
#pragma once

#include "ui/dialog_template.h"

namespace halvgate {

const ui::DialogTemplate& ProtectedItemsDialogTemplate();

}  // namespace halvgate
