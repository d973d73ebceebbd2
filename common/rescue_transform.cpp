#include "common/rescue_transform.h"

namespace halvern {
namespace {

// Fixed for creation and checking alike; changing either table invalidates every rescue disk.
constexpr std::size_t kPermutation[CRescueTransform::kSize] = {7,  6, 10, 0,  8,  3, 14, 4,  1,  18,
                                                               15, 2, 19, 13, 17, 9, 12, 16, 11, 5};
constexpr win::BYTE kMask[CRescueTransform::kSize] = {0xA7, 0x1C, 0x5E, 0x93, 0x2B, 0xD4, 0x68,
                                                      0xF1, 0x0D, 0xB6, 0x4A, 0x85, 0x3F, 0xE2,
                                                      0x71, 0xC8, 0x16, 0x9B, 0x54, 0xEF};

}  // namespace

void CRescueTransform::Apply(const win::BYTE* in, win::BYTE* out) const {
    for (std::size_t k = 0; k < kSize; ++k) {
        out[k] = static_cast<win::BYTE>(in[kPermutation[k]] ^ kMask[k]);
    }
}

}  // namespace halvern
