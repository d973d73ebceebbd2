#include "halvgate/config/item_record.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "halvgate/config/driver_item_record.h"

namespace halvgate {
namespace {

TEST(ItemRecord, FieldsLandAtTheirOffsets) {
    ItemRecord record;
    record.SetPath("C:\\DATA\\*");
    record.SetStatus(1);
    record.SetMask(0xFFFB3F04);

    std::array<std::uint8_t, 402> expected{};
    const std::string path = "C:\\DATA\\*";
    for (std::size_t i = 0; i < path.size(); ++i) {
        expected[i] = static_cast<std::uint8_t>(path[i]);
    }
    expected[384] = 1;
    expected[386] = 0x04, expected[387] = 0x3F, expected[388] = 0xFB, expected[389] = 0xFF;
    EXPECT_EQ(record.bytes, expected);
    EXPECT_EQ(record.Path(), path);
    EXPECT_EQ(record.Status(), 1);
    EXPECT_EQ(record.Mask(), 0xFFFB3F04u);
}

TEST(ItemRecord, PathIsStoredWithAtMost254CharactersAndZeroPadded) {
    ItemRecord record;
    record.bytes.fill(0xEE);
    record.SetPath(std::string(300, 'a'));
    for (std::size_t i = 0; i < 384; ++i) {
        EXPECT_EQ(record.bytes[i], i < 254 ? 'a' : 0) << i;
    }
}

TEST(ItemRecord, PathWithoutTerminatorIsReadSafely) {
    ItemRecord record;
    for (std::size_t i = 0; i < 384; ++i) {
        record.bytes[i] = 'z';
    }
    EXPECT_EQ(record.Path(), std::string(255, 'z'));
}

TEST(DriverItemRecord, FieldsLandAtTheirOffsets) {
    DriverItemRecord record;
    record.SetNumber(0x01020304);
    record.SetDrive(3);
    record.SetPath("\\DATA\\*");
    record.SetStatus(1);
    record.SetMask(0x0001F8FF);

    std::array<std::uint8_t, 640> expected{};
    expected[0] = 4, expected[1] = 3, expected[2] = 2, expected[3] = 1;
    expected[4] = 3;
    const std::string path = "\\DATA\\*";
    for (std::size_t i = 0; i < path.size(); ++i) {
        expected[5 + i] = static_cast<std::uint8_t>(path[i]);
    }
    expected[518] = 1;
    expected[519] = 0xFF, expected[520] = 0xF8, expected[521] = 0x01, expected[522] = 0x00;
    EXPECT_EQ(record.bytes, expected);
}

TEST(DriverItemRecord, PathFieldWithoutTerminatorGivesAll256Characters) {
    DriverItemRecord record;
    record.bytes.fill('q');
    EXPECT_EQ(record.Path(), std::string(256, 'q'));
}

}  // namespace
}  // namespace halvgate
