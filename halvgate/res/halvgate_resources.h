// Everything Halvgate registers with the dialog framework before its first window opens.
#pragma once

namespace halvgate {

void RegisterHalvgateResources();

}  // namespace halvgate
