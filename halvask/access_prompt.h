// The question Halvask asks: "%s access attempt by process %s on %s. Continue ?", built to fit
// the agent's 300-byte prompt buffer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace halvern {

constexpr std::size_t kPromptBufferSize = 300;  // including the terminator
constexpr std::size_t kMaxPromptLength = kPromptBufferSize - 1;
// What stands for the part of a path left out of a prompt.
constexpr std::string_view kPathEllipsis = "...";

// The filled prompt, never longer than kMaxPromptLength characters. A record can carry a
// 24-character operation name, a 16-character process name and a 258-character path, which do
// not fit together: then the middle of the path gives way to "...", keeping its beginning (the
// drive and the first folders) and, with twice the room, its end (the file name), so that the
// user still sees what is accessed and the question itself is never cut. Operation and process
// names beyond those lengths are cut first.
std::string BuildAccessPrompt(std::string_view operation, std::string_view process,
                              std::string_view path);

}  // namespace halvern
