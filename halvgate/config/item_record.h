// One protected item in the NT item file: 402 bytes behind the header, read by the NT driver.
// The layout is the driver's: never move a field.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/byte_order.h"
#include "common/config_header.h"

namespace halvgate {

struct ItemRecord {
    static constexpr std::size_t kSize = 402;

    static constexpr std::size_t kPathOffset = 0;
    static constexpr std::size_t kPathSize = 384;
    static constexpr std::size_t kPathMaxChars = 255;      // what a reader takes at most
    static constexpr std::size_t kWrittenPathChars = 254;  // what the window stores at most
    static constexpr std::size_t kStatusOffset = 384;
    static constexpr std::size_t kMaskOffset = 386;
    static constexpr std::size_t kReservedOffset = 390;
    static constexpr std::size_t kReservedSize = 12;

    std::array<std::uint8_t, kSize> bytes{};

    std::span<std::uint8_t> Bytes() { return bytes; }
    std::span<const std::uint8_t> Bytes() const { return bytes; }

    // The text up to the terminator; a field without one gives its first 255 characters.
    std::string Path() const {
        return halvern::GetText(bytes, kPathOffset, kPathSize, kPathMaxChars);
    }
    void SetPath(std::string_view path) {
        halvern::PutText(bytes, kPathOffset, kPathSize, kWrittenPathChars, path);
    }
    std::uint16_t Status() const { return halvern::GetU16(bytes, kStatusOffset); }
    void SetStatus(std::uint16_t status) { halvern::PutU16(bytes, kStatusOffset, status); }
    std::uint32_t Mask() const { return halvern::GetU32(bytes, kMaskOffset); }
    void SetMask(std::uint32_t mask) { halvern::PutU32(bytes, kMaskOffset, mask); }
};

static_assert(ItemRecord::kReservedOffset + ItemRecord::kReservedSize == ItemRecord::kSize);
static_assert(ItemRecord::kSize == halvern::ConfigHeader::kItemRecordSize);

}  // namespace halvgate
