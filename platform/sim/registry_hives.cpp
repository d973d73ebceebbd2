#include "platform/sim/registry_hives.h"

#include <cerrno>
#include <cstdio>
#include <set>
#include <system_error>

#include "platform/sim/host_file.h"

namespace winsim {
namespace fs = std::filesystem;

RegistryHives::RegistryHives(fs::path registryDir) : dir_(std::move(registryDir)) {}

std::string_view RegistryHives::RootName(Hive hive) {
    return hive == Hive::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CLASSES_ROOT";
}

fs::path RegistryHives::FileOf(Hive hive) const {
    return dir_ / (hive == Hive::LocalMachine ? "HKLM.reg" : "HKCR.reg");
}

fs::path RegistryHives::LockFileOf(Hive hive) const {
    fs::path lock = FileOf(hive);
    lock += ".lock";
    return lock;
}

win::DWORD RegistryHives::Load(Hive hive, RegKey& root) const {
    const fs::path file = FileOf(hive);
    const auto bytes = ReadWholeFile(file);
    if (!bytes) {
        if (errno == ENOENT) {
            root = RegKey(std::string(RootName(hive)));
            return win::ERROR_SUCCESS;
        }
        return win::ERROR_CANTREAD;
    }
    RegParseError error;
    if (!RegFile::Parse(*bytes, RootName(hive), root, error)) {
        lastProblem_ = file.string() + (error.line != 0 ? ":" + std::to_string(error.line) : "") +
                       ": " + error.message;
        // Report each problem once per process: programs read the registry often.
        static std::set<std::string> reported;
        if (reported.insert(lastProblem_).second) {
            std::fprintf(stderr,
                         "halvern: the registry file %s has an error; it is left as it is and the "
                         "registry call fails (ERROR_BADDB): %s\n",
                         file.c_str(), lastProblem_.c_str());
        }
        return win::ERROR_BADDB;
    }
    return win::ERROR_SUCCESS;
}

win::DWORD RegistryHives::Read(Hive hive, RegKey& root) const {
    std::error_code ec;
    if (!fs::is_directory(dir_, ec)) {
        root = RegKey(std::string(RootName(hive)));
        return win::ERROR_SUCCESS;
    }
    FileLock lock(LockFileOf(hive), FileLock::Mode::Shared);
    if (!lock.Held()) {
        return win::ERROR_CANTREAD;
    }
    return Load(hive, root);
}

win::DWORD RegistryHives::Update(Hive hive, const Change& change) const {
    std::error_code ec;
    fs::create_directories(dir_, ec);
    FileLock lock(LockFileOf(hive), FileLock::Mode::Exclusive);
    if (!lock.Held()) {
        return win::ERROR_CANTWRITE;
    }
    RegKey root;
    const win::DWORD loaded = Load(hive, root);
    if (loaded != win::ERROR_SUCCESS) {
        return loaded;
    }
    bool changed = false;
    const win::DWORD result = change(root, changed);
    if (result != win::ERROR_SUCCESS || !changed) {
        return result;
    }
    std::string error;
    if (!ReplaceFile(FileOf(hive), RegFile::Write(root, RootName(hive)), error)) {
        std::fprintf(stderr, "halvern: %s\n", error.c_str());
        return win::ERROR_CANTWRITE;
    }
    return win::ERROR_SUCCESS;
}

}  // namespace winsim
