// A picture in memory: 32-bit 0xAARRGGBB pixels, row by row from the top.
#pragma once

#include <cstdint>
#include <vector>

namespace ui {

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height, 0xAARRGGBB

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

}  // namespace ui
