// The 296-byte record of one access the NT driver holds for the user's decision, exchanged with
// IOCTL_HALVGATE_GET_REQUEST and IOCTL_HALVGATE_ANSWER_REQUEST. The layout is the driver's:
// never move a field.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/byte_order.h"
#include "common/nt_control_codes.h"

namespace halvern {

struct RequestRecord {
    static constexpr std::size_t kSize = 296;

    static constexpr std::size_t kSlotOffset = 0;
    static constexpr std::size_t kAnswerOffset = 4;
    static constexpr std::size_t kUnused8Offset = 8;
    static constexpr std::size_t kOperationCodeOffset = 12;
    static constexpr std::size_t kOperationKindOffset = 13;
    static constexpr std::size_t kUnused14Offset = 14;
    static constexpr std::size_t kProcessNameOffset = 20;
    static constexpr std::size_t kProcessNameSize = 17;  // at most 16 characters
    static constexpr std::size_t kPathOffset = 37;
    static constexpr std::size_t kPathSize = 259;  // at most 258 characters

    // Answers: the agent presets kAnswerPending before fetching.
    static constexpr std::uint32_t kAnswerAllow = 1;
    static constexpr std::uint32_t kAnswerRefuse = 2;
    static constexpr std::uint32_t kAnswerPending = 10;

    std::array<std::uint8_t, kSize> bytes{};

    std::span<std::uint8_t> Bytes() { return bytes; }
    std::span<const std::uint8_t> Bytes() const { return bytes; }

    std::uint32_t Slot() const { return GetU32(bytes, kSlotOffset); }
    void SetSlot(std::uint32_t slot) { PutU32(bytes, kSlotOffset, slot); }
    std::uint32_t Answer() const { return GetU32(bytes, kAnswerOffset); }
    void SetAnswer(std::uint32_t answer) { PutU32(bytes, kAnswerOffset, answer); }
    std::uint8_t OperationCode() const { return bytes[kOperationCodeOffset]; }
    void SetOperationCode(std::uint8_t code) { bytes[kOperationCodeOffset] = code; }
    std::uint8_t OperationKind() const { return bytes[kOperationKindOffset]; }
    void SetOperationKind(std::uint8_t kind) { bytes[kOperationKindOffset] = kind; }
    std::string ProcessName() const {
        return GetText(bytes, kProcessNameOffset, kProcessNameSize, kProcessNameSize - 1);
    }
    void SetProcessName(std::string_view name) {
        PutText(bytes, kProcessNameOffset, kProcessNameSize, kProcessNameSize - 1, name);
    }
    std::string Path() const { return GetText(bytes, kPathOffset, kPathSize, kPathSize - 1); }
    void SetPath(std::string_view path) {
        PutText(bytes, kPathOffset, kPathSize, kPathSize - 1, path);
    }
};

static_assert(RequestRecord::kPathOffset + RequestRecord::kPathSize == RequestRecord::kSize);
static_assert(RequestRecord::kSize == kRequestRecordBytes);

}  // namespace halvern
