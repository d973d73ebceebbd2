// Tells qtdrv.dll that a request slot is free again. The library is outside the suite; the agent
// relies only on its export InformFreeSlot, which takes the slot number.
#pragma once

#include <cstdint>

namespace halvern {

constexpr const char* kSlotLibraryName = "qtdrv.dll";
constexpr const char* kInformFreeSlotExport = "InformFreeSlot";
// The export's signature; its result carries no meaning for the agent.
using InformFreeSlotFn = int (*)(std::uint32_t slot);

// Takes the library if it is loaded already, else loads it; does nothing when it cannot be had
// or lacks the export (the slot then stays reported as busy).
void ReportSlotFree(std::uint32_t slot);

}  // namespace halvern
