// Halvask's request line: the word AskForAccess, a bar, the slot number and an optional closing
// bar, as the driver side starts the agent with it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace halvern {

constexpr std::string_view kAskForAccessWord = "AskForAccess";
// A field of the request line holds at most this many characters; a longer one makes the whole
// line unacceptable rather than being cut, so that no cut-off text is ever taken for a slot.
constexpr std::size_t kMaxCommandLineField = 255;

// The slot the line asks about, or nothing when the line is not accepted (missing or empty,
// not exactly two fields, a first field other than AskForAccess, a field that is too long).
// `text` may be null.
std::optional<std::uint32_t> ParseAskForAccessCommandLine(const char* text);

// A decimal number read as the C library's atol reads it with a 32-bit long: leading white
// space, an optional sign, digits up to the first other character, 0 when there are none. An
// out-of-range value reads as the nearest 32-bit limit, as the Windows C library does.
std::int32_t ReadDecimalLikeAtol(std::string_view text);

}  // namespace halvern
