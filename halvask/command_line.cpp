#include "halvask/command_line.h"

#include <limits>
#include <string>
#include <vector>

namespace halvern {

namespace {

bool IsFieldEnd(char c) {
    return c == '|' || c == '\r' || c == '\n';
}

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::int32_t ReadDecimalLikeAtol(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate the magnitude with headroom for one more digit, then clamp.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > kLimit) {
            magnitude = kLimit;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::uint32_t> ParseAskForAccessCommandLine(const char* text) {
    if (text == nullptr || *text == '\0') {
        return std::nullopt;
    }
    const std::string_view line(text);
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < line.size() && fields.size() < 3) {
        std::size_t end = pos;
        while (end < line.size() && !IsFieldEnd(line[end])) {
            ++end;
        }
        if (end > pos) {
            if (end - pos > kMaxCommandLineField) {
                return std::nullopt;
            }
            fields.push_back(line.substr(pos, end - pos));
        }
        pos = end + 1;
    }
    if (fields.size() != 2 || fields[0] != kAskForAccessWord) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(ReadDecimalLikeAtol(fields[1]));
}

}  // namespace halvern
