#include "halvgate/res/halvgate_resources.h"

#include "halvgate/res/icon_resources.h"
#include "halvgate/res/string_table.h"

namespace halvgate {

void RegisterHalvgateResources() {
    RegisterIconResources();
    RegisterStringTable();
}

}  // namespace halvgate
