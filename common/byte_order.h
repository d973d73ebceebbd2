// Little-endian fields of fixed-size records, read and written byte by byte at explicit offsets
// so that no record depends on the host's struct layout or alignment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace halvern {

inline std::uint16_t GetU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::uint32_t GetU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) |
           (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

inline void PutU16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void PutU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
    }
}

// A zero-terminated text field of `capacity` bytes: the characters up to the first zero byte,
// or the whole field when it holds none, and never more than `maxChars`.
inline std::string GetText(std::span<const std::uint8_t> bytes, std::size_t offset,
                           std::size_t capacity, std::size_t maxChars) {
    std::string text;
    for (std::size_t i = 0; i < capacity && i < maxChars && bytes[offset + i] != 0; ++i) {
        text.push_back(static_cast<char>(bytes[offset + i]));
    }
    return text;
}

// Stores at most `maxChars` characters (maxChars < capacity) and zero-fills the rest of the
// field, so that a terminator always follows.
inline void PutText(std::span<std::uint8_t> bytes, std::size_t offset, std::size_t capacity,
                    std::size_t maxChars, std::string_view text) {
    for (std::size_t i = 0; i < capacity; ++i) {
        bytes[offset + i] =
            (i < maxChars && i < text.size()) ? static_cast<std::uint8_t>(text[i]) : 0;
    }
}

}  // namespace halvern
