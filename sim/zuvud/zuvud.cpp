// The simulated activation helper library zuvud.dll. It records every call it is told into the
// log of the machine it is installed in (log/zuvud.log, one line per call: the caller's pid,
// the export and its arguments), so that tests and people can see what the programs told it.
// Its run loop is minimal: GetQuit reports the end once the file zuvud.quit exists in the
// machine directory; StartRun removes a stale one.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/sim/installed_library.h"

namespace {
namespace fs = std::filesystem;

fs::path MachineDir() {
    return winsim::InstalledLibraryMachineDir();
}

void Record(const std::string& call) {
    const fs::path dir = MachineDir();
    if (dir.empty()) {
        return;
    }
    std::error_code ec;
    fs::create_directories(dir / "log", ec);
    const std::string line = std::to_string(::getpid()) + " " + call + "\n";
    const int fd = ::open((dir / "log" / "zuvud.log").c_str(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        return;
    }
    // One write per line, so that lines of several programs never interleave.
    const ssize_t written = ::write(fd, line.data(), line.size());
    static_cast<void>(written);
    ::close(fd);
}

fs::path QuitFile() {
    const fs::path dir = MachineDir();
    return dir.empty() ? fs::path() : dir / "zuvud.quit";
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void RefreshSettings() {
    Record("RefreshSettings");
}

__attribute__((visibility("default"))) void SetIdleTime(std::uint32_t idleActivation,
                                                        std::uint32_t idleSeconds) {
    Record("SetIdleTime " + std::to_string(idleActivation) + " " + std::to_string(idleSeconds));
}

__attribute__((visibility("default"))) void StartRun() {
    const fs::path quit = QuitFile();
    std::error_code ec;
    if (!quit.empty()) {
        fs::remove(quit, ec);
    }
    Record("StartRun");
}

__attribute__((visibility("default"))) void GetQuit(std::uint32_t* quit) {
    if (quit == nullptr) {
        return;
    }
    const fs::path file = QuitFile();
    std::error_code ec;
    if (!file.empty() && fs::exists(file, ec)) {
        *quit = 1;
        Record("GetQuit 1");
    }
}

__attribute__((visibility("default"))) void EndRun() {
    Record("EndRun");
}
}
