// What a simulated library (zuvud.dll, qtdrv.dll, ...) needs to find the machine it serves: it
// is installed in a machine's system folder, so the machine is the nearest folder above the
// library's file that holds machine.ini. The helper is linked statically into each library, so
// the address it asks about lies in the library that calls it.
#pragma once

#include <filesystem>

namespace winsim {

// The machine directory of the shared object this code is linked into, else $HALVERN_MACHINE,
// else an empty path.
std::filesystem::path InstalledLibraryMachineDir();

}  // namespace winsim
