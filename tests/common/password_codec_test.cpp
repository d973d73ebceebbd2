#include "common/password_codec.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

namespace halvern {
namespace {

using Encoded = std::array<win::BYTE, CPasswordCodec::kEncodedSize>;

// Encodes `text` from a zero-filled 17-byte buffer, as the dialogs read their fields.
Encoded EncodeText(const std::string& text) {
    char buffer[17] = {};
    std::memcpy(buffer, text.data(), std::min<std::size_t>(text.size(), 16));
    Encoded encoded{};
    CPasswordCodec().Encode(buffer, encoded.data());
    return encoded;
}

std::array<char, 32> DecodeBytes(const Encoded& encoded) {
    std::array<char, 32> plain{};
    CPasswordCodec().Decode(encoded.data(), plain.data());
    return plain;
}

// The driver and every stored header hold this form: the bytes must never change.
TEST(PasswordCodecTest, KnownEncodings) {
    EXPECT_EQ(EncodeText("abc"), (Encoded{0x49, 0x35, 0x1D, 0xF1, 0xDB, 0xC7, 0xBF, 0x99, 0x83,
                                          0x7D, 0x51, 0x2F, 0xC6, 0xA3, 0x68, 0x06}));
    EXPECT_EQ(EncodeText("1234567890abcdeF"),
              (Encoded{0x64, 0x8F, 0xB6, 0xD1, 0xFE, 0xD1, 0xC2, 0xE7, 0x0C, 0x01, 0x5C, 0x75, 0x90,
                       0xB5, 0xFE, 0xD8}));
}

TEST(PasswordCodecTest, TrailingSpacesDoNotChangeTheEncoding) {
    const Encoded abc = EncodeText("abc");
    EXPECT_EQ(EncodeText("abc "), abc);
    EXPECT_EQ(EncodeText("abc            "), abc);
    EXPECT_EQ(EncodeText(""), EncodeText(std::string(16, ' ')));
    EXPECT_NE(EncodeText(" abc"), abc);
}

TEST(PasswordCodecTest, RoundTripsRemoveTrailingSpacesOnly) {
    struct Case {
        std::string typed;
        std::string decoded;
    };
    const Case cases[] = {
        {"abc", "abc"},
        {"abc   ", "abc"},
        {" a b ", " a b"},
        {"", ""},
        {"fifteen-chars!!", "fifteen-chars!!"},
        {"\x80\xFF\x01high bytes", "\x80\xFF\x01high bytes"},
    };
    for (const Case& c : cases) {
        const auto plain = DecodeBytes(EncodeText(c.typed));
        EXPECT_EQ(std::string(plain.data()), c.decoded) << "typed \"" << c.typed << '"';
        for (std::size_t i = c.decoded.size(); i < 16; ++i) {
            EXPECT_EQ(plain[i], '\0') << "typed \"" << c.typed << "\" position " << i;
        }
    }
}

TEST(PasswordCodecTest, FifteenCharactersEndWithAZeroByteAtPositionFifteen) {
    const auto plain = DecodeBytes(EncodeText("123456789012345"));
    EXPECT_EQ(std::string(plain.data(), 15), "123456789012345");
    EXPECT_EQ(plain[15], '\0');
}

TEST(PasswordCodecTest, SixteenCharactersFillAllSixteenBytes) {
    const std::string sixteen = "1234567890abcdeF";
    const Encoded encoded = EncodeText(sixteen);
    char plain[CPasswordCodec::kDecodeBufferSize] = {};
    CPasswordCodec().Decode(encoded.data(), plain);
    EXPECT_EQ(std::string(plain, 16), sixteen);
    // The sixteenth character enters every byte, not only the last one.
    const Encoded fifteen = EncodeText(sixteen.substr(0, 15));
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_NE(encoded[i], fifteen[i]) << "byte " << i;
    }
}

TEST(PasswordCodecTest, OnlyTheFirstSixteenBytesOfALongerBufferCount) {
    char buffer[24] = "1234567890abcdefXYZ";
    Encoded encoded{};
    CPasswordCodec().Encode(buffer, encoded.data());
    EXPECT_EQ(encoded, EncodeText("1234567890abcdef"));
    EXPECT_STREQ(buffer + 16, "XYZ");
}

TEST(PasswordCodecTest, EncodingPadsTheCallersBufferWithSpaces) {
    char buffer[20];
    std::memset(buffer, 'x', sizeof buffer);
    std::memcpy(buffer, "abc", 4);
    Encoded encoded{};
    CPasswordCodec().Encode(buffer, encoded.data());
    EXPECT_EQ(std::string(buffer, 16), "abc             ");
    EXPECT_EQ(buffer[16], 'x') << "nothing is written behind byte 15";
}

TEST(PasswordCodecTest, LetterCaseMatters) {
    EXPECT_NE(EncodeText("Secret"), EncodeText("secret"));
    EXPECT_NE(EncodeText("SECRET"), EncodeText("secret"));
}

TEST(PasswordCodecTest, EveryByteOfTheEncodingDependsOnTheText) {
    // The encoding reverses the characters: e[0] comes from p[14], e[14] from p[0].
    const Encoded base = EncodeText("aaaaaaaaaaaaaaa");
    for (std::size_t position = 0; position < 15; ++position) {
        std::string changed(15, 'a');
        changed[position] = 'b';
        const Encoded encoded = EncodeText(changed);
        for (std::size_t i = 0; i < 16; ++i) {
            EXPECT_EQ(encoded[i] != base[i], i == 14 - position)
                << "character " << position << ", byte " << i;
        }
    }
}

TEST(PasswordCodecTest, MatchesComparesTheEncodedForm) {
    const Encoded stored = EncodeText("Secret");
    const CPasswordCodec codec;
    EXPECT_TRUE(codec.Matches("Secret", stored.data()));
    EXPECT_TRUE(codec.Matches("Secret   ", stored.data()));
    EXPECT_FALSE(codec.Matches("secret", stored.data()));
    EXPECT_FALSE(codec.Matches("Secre", stored.data()));
    EXPECT_FALSE(codec.Matches("Secretx", stored.data()));
    EXPECT_FALSE(codec.Matches("", stored.data()));
    EXPECT_TRUE(codec.Matches("", EncodeText("").data()));
    // A typed text is taken up to sixteen characters, so a sixteen-character password matches
    // and a longer typed text is not cut down to a stored fifteen-character one.
    EXPECT_TRUE(codec.Matches("1234567890abcdef", EncodeText("1234567890abcdef").data()));
    EXPECT_FALSE(codec.Matches("123456789012345X", EncodeText("123456789012345").data()));
}

TEST(PasswordCodecTest, WipeZeroesTheBuffer) {
    char buffer[16];
    std::memcpy(buffer, "clear text here", 16);
    CPasswordCodec::Wipe(buffer, sizeof buffer);
    for (char c : buffer) {
        EXPECT_EQ(c, '\0');
    }
}

}  // namespace
}  // namespace halvern
