// What the simulated NT driver does with one access, given the configuration it last loaded:
// let it through, deny it, hold it for the user's decision (Prompt) or ask for the on-the-fly
// password (Ask Password).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/config_header.h"
#include "sim/drivers/nt/access_operations.h"
#include "sim/drivers/nt/nt_driver_state.h"

namespace simnt {

enum class AccessVerdict { Allow, Deny, Prompt, AskPassword };
std::string_view AccessVerdictName(AccessVerdict verdict);  // "allowed", "denied", ...

struct AccessDecision {
    AccessVerdict verdict = AccessVerdict::Allow;
    std::optional<std::size_t> item;  // the deciding item's index in the loaded list
    std::string reason;               // one sentence for the person at the terminal
};

// Protection switched off, protection status inactive, an operation no right covers, or no
// active item that covers the path and restricts the operation's right: the access goes on.
// Otherwise the first such item in list order decides by its action: Disable denies, Prompt
// holds, Ask Password asks (a mask with both action bits clear means Prompt, as the protected
// items window shows it). `path` is a full Windows path (see item_path_match.h for how it is
// compared).
AccessDecision DecideAccess(const NtDriverState& state, const AccessOperation& operation,
                            std::string_view path);

// The typed on-the-fly password against the header's encoded one. False when no on-the-fly
// password is set (nobody could know it) and for a text longer than 15 characters, which the
// NT settings cannot have stored and whose 16th character would otherwise be dropped.
bool FlyPasswordMatches(const halvern::ConfigHeader& header, std::string_view typed);
constexpr std::size_t kMaxFlyPasswordLength = 15;

}  // namespace simnt
