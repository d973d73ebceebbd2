#include "common/rescue_transform.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace halvern {
namespace {

using Block = std::array<win::BYTE, CRescueTransform::kSize>;

Block Transform(const Block& in) {
    Block out{};
    CRescueTransform().Apply(in.data(), out.data());
    return out;
}

Block Counting() {
    Block block{};
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<win::BYTE>(i);
    }
    return block;
}

// Every rescue code in a registry and every rescue disk depend on these bytes.
TEST(RescueTransformTest, KnownCodeAndDisk) {
    const Block code = Transform(Counting());
    EXPECT_EQ(code, (Block{0xA0, 0x1A, 0x54, 0x93, 0x23, 0xD7, 0x66, 0xF5, 0x0C, 0xA4,
                           0x45, 0x87, 0x2C, 0xEF, 0x60, 0xC1, 0x1A, 0x8B, 0x5F, 0xEA}));
    EXPECT_EQ(Transform(code), (Block{0x52, 0x7A, 0x1B, 0x33, 0x27, 0x47, 0x08, 0xD2, 0x17, 0xE9,
                                      0x8B, 0xD1, 0xD5, 0x0D, 0xFA, 0x6C, 0x3A, 0x81, 0xD3, 0x38}));
}

TEST(RescueTransformTest, EachOutputByteComesFromOneInputPosition) {
    constexpr std::size_t kPermutation[] = {7,  6, 10, 0,  8,  3, 14, 4,  1,  18,
                                            15, 2, 19, 13, 17, 9, 12, 16, 11, 5};
    const Block mask = Transform(Block{});
    for (std::size_t source = 0; source < CRescueTransform::kSize; ++source) {
        Block in{};
        in[source] = 0xFF;
        const Block out = Transform(in);
        for (std::size_t k = 0; k < CRescueTransform::kSize; ++k) {
            const bool fromSource = kPermutation[k] == source;
            EXPECT_EQ(out[k], fromSource ? static_cast<win::BYTE>(mask[k] ^ 0xFF) : mask[k])
                << "input " << source << ", output " << k;
        }
    }
}

TEST(RescueTransformTest, AppliedTwiceDiffersFromOnce) {
    // A disk must not be usable as the code or the code as a disk.
    std::set<Block> seen;
    Block block = Counting();
    for (int round = 0; round < 3; ++round) {
        EXPECT_TRUE(seen.insert(block).second) << "round " << round;
        block = Transform(block);
    }
}

}  // namespace
}  // namespace halvern
