// The hives of a machine as .reg files (registry/HKLM.reg, registry/HKCR.reg). Every access takes
// an flock() on the hive's lock file and reads the file afresh; every change writes a new file
// beside it and renames it over, so several processes can use the registry at once and none
// loses another's change. A file with a syntax error is reported (file and line, on stderr) and
// the access fails with ERROR_BADDB; such a file is never overwritten.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/sim/reg_file.h"
#include "platform/win32_types.h"

namespace winsim {

enum class Hive { LocalMachine, ClassesRoot };

class RegistryHives {
  public:
    explicit RegistryHives(std::filesystem::path registryDir);

    static std::string_view RootName(Hive hive);  // "HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT"
    std::filesystem::path FileOf(Hive hive) const;
    std::filesystem::path LockFileOf(Hive hive) const;

    // Reads the hive into `root` under a shared lock. A missing file is an empty hive.
    win::DWORD Read(Hive hive, RegKey& root) const;

    // Runs `change` on the hive under an exclusive lock. When it returns ERROR_SUCCESS and sets
    // `changed`, the new hive is written (ERROR_CANTWRITE when that fails; the old file stays).
    using Change = std::function<win::DWORD(RegKey& root, bool& changed)>;
    win::DWORD Update(Hive hive, const Change& change) const;

    // The message of the last malformed-file report ("" when none).
    const std::string& LastProblem() const { return lastProblem_; }

  private:
    win::DWORD Load(Hive hive, RegKey& root) const;

    std::filesystem::path dir_;
    mutable std::string lastProblem_;
};

}  // namespace winsim
