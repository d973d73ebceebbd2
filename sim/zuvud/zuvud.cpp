// The simulated activation helper library zuvud.dll. It records every call it is told into the
// log of the machine it is installed in (log/zuvud.log, one line per call: the caller's pid,
// the export and its arguments), so that tests and people can see what the programs told it.
// Its run loop is minimal: GetQuit reports the end once the file zuvud.quit exists in the
// machine directory; StartRun removes a stale one.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {
namespace fs = std::filesystem;

// The machine directory: the nearest folder above this library holding machine.ini (the
// library lives in the machine's system folder), else $HALVERN_MACHINE.
fs::path MachineDir() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&MachineDir), &info) != 0 && info.dli_fname != nullptr) {
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
