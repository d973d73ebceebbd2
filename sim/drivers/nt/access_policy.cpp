#include "sim/drivers/nt/access_policy.h"

#include "common/password_codec.h"
#include "halvgate/config/item_rights.h"
#include "sim/drivers/nt/item_path_match.h"

namespace simnt {

namespace {

AccessVerdict ActionOf(std::uint32_t mask) {
    if ((mask & halvgate::kPromptBit) == 0) {
        return AccessVerdict::Prompt;
    }
    if ((mask & halvgate::kAskPasswordBit) == 0) {
        return AccessVerdict::AskPassword;
    }
    return AccessVerdict::Deny;
}

std::string_view ActionName(AccessVerdict action) {
    switch (action) {
        case AccessVerdict::Prompt:
            return "Prompt";
        case AccessVerdict::AskPassword:
            return "Ask Password";
        default:
            return "Disable";
    }
}

}  // namespace

std::string_view AccessVerdictName(AccessVerdict verdict) {
    switch (verdict) {
        case AccessVerdict::Allow:
            return "allowed";
        case AccessVerdict::Deny:
            return "denied";
        case AccessVerdict::Prompt:
            return "held for the user's decision";
        case AccessVerdict::AskPassword:
            return "held for the on-the-fly password";
    }
    return "denied";
}

AccessDecision DecideAccess(const NtDriverState& state, const AccessOperation& operation,
                            std::string_view path) {
    if (!state.protectionOn) {
        return {AccessVerdict::Allow, std::nullopt, "protection is switched off"};
    }
    if (state.header.ProtectionStatus() != 1) {
        return {AccessVerdict::Allow, std::nullopt, "the protection status is inactive"};
    }
    if (operation.rightBit == 0) {
        return {AccessVerdict::Allow, std::nullopt,
                std::string("no item right restricts ") + operation.name};
    }
    for (std::size_t i = 0; i < state.items.size(); ++i) {
        const NtItem& item = state.items[i];
        if (item.status != halvgate::kStatusActive || (item.mask & operation.rightBit) != 0 ||
            !ItemCoversPath(item.path, path)) {
            continue;
        }
        const AccessVerdict action = ActionOf(item.mask);
        return {action, i,
                "item " + item.path + " restricts " + operation.rightName + " (action " +
                    std::string(ActionName(action)) + ")"};
    }
    return {AccessVerdict::Allow, std::nullopt,
            std::string("no active item restricts ") + operation.rightName + " on " +
                std::string(path)};
}

bool FlyPasswordMatches(const halvern::ConfigHeader& header, std::string_view typed) {
    if (header.FlyPasswordSet() == 0 || typed.size() > kMaxFlyPasswordLength ||
        typed.find('\0') != std::string_view::npos) {
        return false;
    }
    const std::string text(typed);
    return halvern::CPasswordCodec().Matches(text.c_str(), header.FlyPassword().data());
}

}  // namespace simnt
