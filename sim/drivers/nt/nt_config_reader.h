// The driver's reading of the two NT configuration files: the item file (header and item
// records) and the module list file. Any bytes at all are accepted; what cannot be read is
// reported through the file verdicts.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "sim/drivers/nt/nt_driver_state.h"

namespace simnt {

class NtConfigReader {
  public:
    // More records than this are not taken up (the driver's table has a bound).
    static constexpr std::size_t kMaxItems = 4096;
    static constexpr std::size_t kMaxModules = 4096;
    static constexpr std::size_t kModuleRecordSize = 22;
    static constexpr std::size_t kModuleNameSize = 20;

    // Replaces the header, items and item-file verdict of `state` from the item file's bytes
    // (nullptr: the file is missing). A header with a wrong checksum is replaced by the
    // defaults; the items behind it are still taken.
    static void TakeItemFile(const std::vector<std::uint8_t>* bytes, NtDriverState& state);
    // Replaces the module lists and module-file verdict from the module list file's bytes.
    static void TakeModuleFile(const std::vector<std::uint8_t>* bytes, NtDriverState& state);

    // Reads both files from the Windows directory of the machine.
    static void Reload(const std::filesystem::path& machineDir, NtDriverState& state);
};

}  // namespace simnt
