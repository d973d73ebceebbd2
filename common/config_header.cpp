#include "common/config_header.h"

namespace halvern {

std::uint32_t ConfigHeader::ComputeChecksum() const {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < kChecksumOffset; ++i) {
        sum += bytes[i];
    }
    return sum ^ kChecksumKey;
}

void ConfigHeader::SetDefaults() {
    bytes.fill(0);
    constexpr char kMagic[kMagicSize] = {'Q', 'U', 'I', 'B'};
    for (std::size_t i = 0; i < kMagicSize; ++i) {
        bytes[kMagicOffset + i] = static_cast<std::uint8_t>(kMagic[i]);
    }
    SetWord(kVersionOffset, kFormatVersion);
    SetWord(kReserved10Offset, 1);
    SetDword(kHeaderSizeOffset, kSize);
    SetDword(kItemRecordSizeOffset, kItemRecordSize);
    SetProtectionStatus(1);
    SetStartupActivation(1);
    SetPromptAction(kPromptOnceForYes);
    SetPasswordAction(kPasswordOncePerItem);
    StoreChecksum();
}

}  // namespace halvern
