#include "halvgate/res/string_table.h"

#include "ui/resources.h"

namespace halvgate {

void RegisterStringTable() {
    ui::RegisterString(IDS_ABOUTBOX, "&About Halvern...");
}

}  // namespace halvgate
