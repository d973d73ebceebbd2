#include "common/config_header.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace halvern {
namespace {

// The defaults of a fresh installation, written out byte by byte.
std::array<std::uint8_t, 102> DefaultBytes() {
    std::array<std::uint8_t, 102> b{};
    b[0] = 'Q';
    b[1] = 'U';
    b[2] = 'I';
    b[3] = 'B';
    b[4] = 3;      // version
    b[10] = 1;     // reserved word
    b[12] = 102;   // header size
    b[16] = 0x92;  // record size 402 = 0x192
    b[17] = 0x01;
    b[20] = 1;  // status active
    b[22] = 1;  // start-up activation
    b[90] = 2;  // prompt action
    b[94] = 2;  // password action
    std::uint32_t sum = 0;
    for (int i = 0; i < 98; ++i) {
        sum += b[i];
    }
    const std::uint32_t checksum = sum ^ 0xABCDABCDu;
    b[98] = static_cast<std::uint8_t>(checksum);
    b[99] = static_cast<std::uint8_t>(checksum >> 8);
    b[100] = static_cast<std::uint8_t>(checksum >> 16);
    b[101] = static_cast<std::uint8_t>(checksum >> 24);
    return b;
}

TEST(ConfigHeader, DefaultsMatchTheBytesOfAFreshInstallation) {
    ConfigHeader header;
    header.bytes.fill(0x5A);
    header.SetDefaults();
    EXPECT_EQ(header.bytes, DefaultBytes());
    EXPECT_TRUE(header.ChecksumMatches());
}

TEST(ConfigHeader, ChecksumOfZeroBlockIsTheKey) {
    ConfigHeader header;
    EXPECT_EQ(header.ComputeChecksum(), 0xABCDABCDu);
    // Only bytes 0..97 count: the stored checksum itself does not.
    header.bytes[98] = 0xFF;
    header.bytes[101] = 0xFF;
    EXPECT_EQ(header.ComputeChecksum(), 0xABCDABCDu);
}

TEST(ConfigHeader, ChecksumAddsEveryByteUnsigned) {
    ConfigHeader header;
    for (std::size_t i = 0; i < 98; ++i) {
        header.bytes[i] = 0xFF;
    }
    EXPECT_EQ(header.ComputeChecksum(), (98u * 255u) ^ 0xABCDABCDu);
}

TEST(ConfigHeader, ChecksumOffByOneDoesNotMatch) {
    ConfigHeader header;
    header.SetDefaults();
    header.bytes[98] = static_cast<std::uint8_t>(header.bytes[98] + 1);
    EXPECT_FALSE(header.ChecksumMatches());
}

TEST(ConfigHeader, FieldsLandAtTheirOffsetsLittleEndian) {
    ConfigHeader header;
    header.SetProtectionStatus(0x0102);
    header.SetStartupActivation(0x0304);
    header.SetIdleActivation(0x0506);
    header.SetIdleTimeSeconds(0x0A0B0C0D);
    header.SetLogonPasswordSet(0x0708);
    header.SetFlyPasswordSet(0x090A);
    header.SetPromptAction(0x11223344);
    header.SetPasswordAction(0x55667788);
    header.LogonPassword()[0] = 0xE1;
    header.LogonPassword()[15] = 0xE2;
    header.FlyPassword()[0] = 0xF1;
    header.FlyPassword()[15] = 0xF2;
    header.StoreChecksum();

    std::array<std::uint8_t, 102> expected{};
    expected[20] = 0x02, expected[21] = 0x01;
    expected[22] = 0x04, expected[23] = 0x03;
    expected[24] = 0x06, expected[25] = 0x05;
    expected[26] = 0x0D, expected[27] = 0x0C, expected[28] = 0x0B, expected[29] = 0x0A;
    expected[54] = 0x08, expected[55] = 0x07;
    expected[56] = 0xE1, expected[71] = 0xE2;
    expected[72] = 0x0A, expected[73] = 0x09;
    expected[74] = 0xF1, expected[89] = 0xF2;
    expected[90] = 0x44, expected[91] = 0x33, expected[92] = 0x22, expected[93] = 0x11;
    expected[94] = 0x88, expected[95] = 0x77, expected[96] = 0x66, expected[97] = 0x55;
    std::uint32_t sum = 0;
    for (int i = 0; i < 98; ++i) {
        sum += expected[i];
    }
    const std::uint32_t checksum = sum ^ 0xABCDABCDu;
    for (int i = 0; i < 4; ++i) {
        expected[98 + i] = static_cast<std::uint8_t>(checksum >> (8 * i));
    }
    EXPECT_EQ(header.bytes, expected);
}

}  // namespace
}  // namespace halvern
