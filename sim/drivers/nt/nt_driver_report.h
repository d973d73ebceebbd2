// What the simulated NT driver enforces, and any item file decoded field by field, as text for
// people and as JSON for scripts. Used by `halvern-machine show` and `config dump`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/drivers/nt/nt_driver_state.h"

namespace simnt {

class NtDriverReport {
  public:
    // The 13 cells of an item as the protected items window's list shows them.
    static std::vector<std::string> ItemCells(const NtItem& item);

    static std::string ShowText(const NtDriverState& state);
    static std::string ShowJson(const NtDriverState& state);

    // An item file's bytes: every header field with its offset, the checksum verdict, the
    // record count and each record.
    static std::string DumpItemFile(const std::string& name,
                                    const std::vector<std::uint8_t>& bytes);
};

}  // namespace simnt
