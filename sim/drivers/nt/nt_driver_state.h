// What the simulated NT protection driver keeps between requests. It lives in a file of the
// machine (devices/Halvgate.state) so that every program of the machine sees one driver.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/config_header.h"
#include "common/request_record.h"

namespace simnt {

// One protected item as the driver enforces it.
struct NtItem {
    std::string path;
    std::uint16_t status = 0;
    std::uint32_t mask = 0;
    friend bool operator==(const NtItem&, const NtItem&) = default;
};

// How a configuration file looked at the last reload.
enum class FileVerdict { Missing, Short, BadChecksum, Ok };
std::string_view FileVerdictName(FileVerdict verdict);

// A slot for an access held for the user's decision.
struct NtSlot {
    enum class State { Free, Pending, Answered };
    State state = State::Free;
    std::uint32_t posterPid = 0;        // the process waiting for the answer
    std::uint64_t posterStartTime = 0;  // tells a reused pid from the poster
    std::uint32_t answer = 0;
    halvern::RequestRecord record;
};

struct NtDriverState {
    static constexpr std::size_t kSlotCount = 16;

    std::uint32_t bootId = 0;       // the boot of the machine this state belongs to
    bool initialized = false;       // false until the driver first ran in this boot
    bool protectionOn = true;       // the protection switch
    bool statusActive = false;      // IOCTL_HALVGATE_STATUS_ACTIVE received in this boot
    bool loginOnly = false;         // IOCTL_HALVGATE_LOGIN_ONLY received in this boot
    std::uint32_t instancePid = 0;  // the monitor instance, 0 when none
    std::uint64_t instanceStartTime = 0;
    bool loaderStarted = false;  // a loader started in this boot
    std::uint32_t loaderCopies = 0;
    std::uint32_t reloads = 0;

    // The configuration taken up at the last reload.
    FileVerdict itemFile = FileVerdict::Missing;
    FileVerdict moduleFile = FileVerdict::Missing;
    halvern::ConfigHeader header;  // as read; the defaults when the item file had none
    std::vector<NtItem> items;
    std::vector<std::string> authorizedModules;
    std::vector<std::string> unauthorizedModules;

    std::array<NtSlot, kSlotCount> slots;

    // A line-oriented text form; unknown or malformed lines are skipped when parsing.
    std::string ToText() const;
    static NtDriverState FromText(std::string_view text);
};

}  // namespace simnt
