#include "platform/sim/installed_library.h"

#include <dlfcn.h>

#include <cstdlib>
#include <system_error>

namespace winsim {

std::filesystem::path InstalledLibraryMachineDir() {
    namespace fs = std::filesystem;
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&InstalledLibraryMachineDir), &info) != 0 &&
        info.dli_fname != nullptr) {
        std::error_code ec;
        fs::path dir = fs::absolute(info.dli_fname, ec).parent_path();
        while (!ec && !dir.empty()) {
            if (fs::exists(dir / "machine.ini", ec)) {
                return dir;
            }
            if (dir == dir.root_path()) {
                break;
            }
            dir = dir.parent_path();
        }
    }
    const char* env = std::getenv("HALVERN_MACHINE");
    return env != nullptr ? fs::path(env) : fs::path();
}

}  // namespace winsim
