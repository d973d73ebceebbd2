// Dialog template 100: the About box.
#pragma once

#include "ui/dialog_template.h"

namespace halvgate {

const ui::DialogTemplate& AboutDialogTemplate();

}  // namespace halvgate
