// One protected item as the Windows 9x driver stores it: 640 bytes. The layout is the
// driver's: never move a field.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/byte_order.h"

namespace halvgate {

struct DriverItemRecord {
    static constexpr std::size_t kSize = 640;

    static constexpr std::size_t kNumberOffset = 0;  // 1-based: row index + 1
    static constexpr std::size_t kDriveOffset = 4;
    static constexpr std::size_t kPathOffset = 5;
    static constexpr std::size_t kPathSize = 256;
    static constexpr std::size_t kReserved261Offset = 261;
    static constexpr std::size_t kReserved261Size = 257;
    static constexpr std::size_t kStatusOffset = 518;
    static constexpr std::size_t kMaskOffset = 519;  // unaligned
    static constexpr std::size_t kReserved523Offset = 523;
    static constexpr std::size_t kReserved523Size = 117;

    static constexpr std::uint8_t kNoDrive = 0xFF;

    std::array<std::uint8_t, kSize> bytes{};

    std::span<std::uint8_t> Bytes() { return bytes; }
    std::span<const std::uint8_t> Bytes() const { return bytes; }

    std::uint32_t Number() const { return halvern::GetU32(bytes, kNumberOffset); }
    void SetNumber(std::uint32_t number) { halvern::PutU32(bytes, kNumberOffset, number); }
    std::uint8_t Drive() const { return bytes[kDriveOffset]; }
    void SetDrive(std::uint8_t drive) { bytes[kDriveOffset] = drive; }
    // The text up to the terminator; a field without one gives all 256 characters.
    std::string Path() const { return halvern::GetText(bytes, kPathOffset, kPathSize, kPathSize); }
    void SetPath(std::string_view path) {
        halvern::PutText(bytes, kPathOffset, kPathSize, kPathSize - 1, path);
    }
    std::uint8_t Status() const { return bytes[kStatusOffset]; }
    void SetStatus(std::uint8_t status) { bytes[kStatusOffset] = status; }
    std::uint32_t Mask() const { return halvern::GetU32(bytes, kMaskOffset); }
    void SetMask(std::uint32_t mask) { halvern::PutU32(bytes, kMaskOffset, mask); }
};

static_assert(DriverItemRecord::kReserved523Offset + DriverItemRecord::kReserved523Size ==
              DriverItemRecord::kSize);
static_assert(DriverItemRecord::kReserved261Offset + DriverItemRecord::kReserved261Size ==
              DriverItemRecord::kStatusOffset);

}  // namespace halvgate
