#include "halvask/command_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace halvern {
namespace {

struct LineCase {
    const char* line;
    std::optional<std::uint32_t> slot;
};

// Test names show the line, with its line breaks spelled out.
void PrintTo(const LineCase& c, std::ostream* out) {
    for (const char* p = c.line; *p != '\0'; ++p) {
        *out << (*p == '\r' ? "\\r" : *p == '\n' ? "\\n" : std::string(1, *p));
    }
}

class AskForAccessLine : public testing::TestWithParam<LineCase> {};

TEST_P(AskForAccessLine, AcceptsOrRefuses) {
    EXPECT_EQ(ParseAskForAccessCommandLine(GetParam().line), GetParam().slot)
        << "line: " << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, AskForAccessLine,
    testing::Values(LineCase{"AskForAccess|7|", 7u}, LineCase{"AskForAccess|7", 7u},
                    LineCase{"|AskForAccess||7|", 7u}, LineCase{"||AskForAccess|||7||||", 7u},
                    LineCase{"AskForAccess|7|x", std::nullopt},
                    LineCase{"AskForAccess", std::nullopt}, LineCase{"AskForAccess|", std::nullopt},
                    LineCase{"askforaccess|7|", std::nullopt},
                    LineCase{"ASKFORACCESS|7|", std::nullopt},
                    LineCase{" AskForAccess|7|", std::nullopt}, LineCase{"AskForAccess|abc|", 0u},
                    LineCase{"AskForAccess|  12abc|", 12u},
                    LineCase{"AskForAccess|-1|", 0xFFFFFFFFu}, LineCase{"AskForAccess|+3|", 3u},
                    // Line breaks end a field as a bar does.
                    LineCase{"AskForAccess|7\r\n", 7u}, LineCase{"AskForAccess\n7", 7u},
                    LineCase{"AskForAccess|7\r\nx", std::nullopt}, LineCase{"", std::nullopt},
                    LineCase{"|||", std::nullopt}));

TEST(AskForAccessLine, NullLineIsRefused) {
    EXPECT_EQ(ParseAskForAccessCommandLine(nullptr), std::nullopt);
}

TEST(AskForAccessLine, FieldOfMoreThan255CharactersRefusesTheLine) {
    const std::string fits = "AskForAccess|" + std::string(254, ' ') + "5|";
    EXPECT_EQ(ParseAskForAccessCommandLine(fits.c_str()), 5u);
    const std::string tooLong = "AskForAccess|" + std::string(255, ' ') + "5|";
    EXPECT_EQ(ParseAskForAccessCommandLine(tooLong.c_str()), std::nullopt);
    const std::string longWord = std::string(300, 'A') + "|5|";
    EXPECT_EQ(ParseAskForAccessCommandLine(longWord.c_str()), std::nullopt);
}

TEST(ReadDecimalLikeAtol, FollowsTheCLibrary) {
    EXPECT_EQ(ReadDecimalLikeAtol(""), 0);
    EXPECT_EQ(ReadDecimalLikeAtol("-"), 0);
    EXPECT_EQ(ReadDecimalLikeAtol(" \t\v\f42"), 42);
    EXPECT_EQ(ReadDecimalLikeAtol("- 4"), 0);
    EXPECT_EQ(ReadDecimalLikeAtol("--4"), 0);
    EXPECT_EQ(ReadDecimalLikeAtol("-2147483648"), INT32_MIN);
    EXPECT_EQ(ReadDecimalLikeAtol("2147483647"), INT32_MAX);
    EXPECT_EQ(ReadDecimalLikeAtol("2147483648"), INT32_MAX);
    EXPECT_EQ(ReadDecimalLikeAtol("-99999999999999999999999"), INT32_MIN);
    EXPECT_EQ(ReadDecimalLikeAtol("0x10"), 0);
}

}  // namespace
}  // namespace halvern
