#include "sim/drivers/nt/nt_driver_store.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "platform/sim/machine.h"
#include "sim/drivers/nt/nt_config_reader.h"

namespace simnt {
namespace fs = std::filesystem;

namespace {

constexpr const char* kStateName = "Halvgate.state";
constexpr const char* kLockName = "Halvgate.state.lock";

// Holds an exclusive lock on the lock file for its lifetime.
class FileLock {
  public:
    explicit FileLock(const fs::path& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ >= 0) {
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FileLock() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

std::uint32_t CurrentBoot(const fs::path& machineDir) {
    std::string error;
    const auto machine = winsim::Machine::Open(machineDir, error);
    return machine ? machine->Settings().bootId : 0;
}

NtDriverState LoadState(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    if (in) {
        text << in.rdbuf();
    }
    return NtDriverState::FromText(text.str());
}

bool SaveState(const fs::path& file, const NtDriverState& state) {
    const fs::path temp = file.string() + ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << state.ToText();
        out.flush();
        if (!out) {
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, file, ec);
    return !ec;
}

// A new boot starts the driver as Windows loads it: protection on, no monitor, no loader, no
// held access, and the configuration read from the files.
void StartForBoot(const fs::path& machineDir, std::uint32_t boot, NtDriverState& state) {
    if (state.initialized && state.bootId == boot) {
        return;
    }
    NtDriverState fresh = NtDriverState::FromText("");
    fresh.bootId = boot;
    fresh.initialized = true;
    fresh.reloads = state.reloads;
    NtConfigReader::Reload(machineDir, fresh);
    state = fresh;
}

}  // namespace

NtDriverStore::NtDriverStore(fs::path machineDir) : machineDir_(std::move(machineDir)) {}

fs::path NtDriverStore::StateFile() const {
    return machineDir_ / "devices" / kStateName;
}

bool NtDriverStore::Update(const std::function<bool(NtDriverState&)>& change) {
    std::error_code ec;
    fs::create_directories(machineDir_ / "devices", ec);
    FileLock lock(machineDir_ / "devices" / kLockName);
    if (!lock.Held()) {
        return false;
    }
    NtDriverState state = LoadState(StateFile());
    const std::uint32_t boot = CurrentBoot(machineDir_);
    const bool newBoot = !state.initialized || state.bootId != boot;
    StartForBoot(machineDir_, boot, state);
    const bool changed = change(state);
    if (!changed && !newBoot) {
        return true;
    }
    return SaveState(StateFile(), state);
}

std::optional<NtDriverState> NtDriverStore::Read() {
    std::optional<NtDriverState> result;
    const bool ok = Update([&](NtDriverState& state) {
        result = state;
        return false;
    });
    if (!ok) {
        return std::nullopt;
    }
    return result;
}

std::uint64_t ProcessStartTime(std::uint32_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    std::getline(in, stat);
    // The command name may hold spaces and parentheses: fields are counted after the last ')'.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return 0;
    }
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i == 3 && field == "Z") {
            return 0;
        }
        if (i == 22) {
            std::uint64_t ticks = 0;
            const auto [end, ec] =
                std::from_chars(field.data(), field.data() + field.size(), ticks);
            return ec == std::errc() ? ticks : 0;
        }
    }
    return 0;
}

bool ProcessAlive(std::uint32_t pid, std::uint64_t startTime) {
    if (pid == 0) {
        return false;
    }
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) {
        return false;
    }
    const std::uint64_t actual = ProcessStartTime(pid);
    if (actual == 0) {
        return false;  // a zombie, or gone in between
    }
    return startTime == 0 || actual == startTime;
}

}  // namespace simnt
