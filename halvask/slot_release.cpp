#include "halvask/slot_release.h"

#include "platform/win32_api.h"

namespace halvern {

void ReportSlotFree(std::uint32_t slot) {
    win::HMODULE library = win::GetModuleHandleA(kSlotLibraryName);
    const bool loadedHere = library == nullptr;
    if (loadedHere) {
        library = win::LoadLibraryA(kSlotLibraryName);
    }
    if (library == nullptr) {
        return;
    }
    const win::FARPROC address = win::GetProcAddress(library, kInformFreeSlotExport);
    if (address != nullptr) {
        reinterpret_cast<InformFreeSlotFn>(address)(slot);
    }
    if (loadedHere) {
        win::FreeLibrary(library);
    }
}

}  // namespace halvern
