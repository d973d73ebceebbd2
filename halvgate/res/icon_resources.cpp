#include "halvgate/res/icon_resources.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "ui/bitmap.h"
#include "ui/resources.h"

namespace halvgate {
namespace {

// One picture as 16 rows of 16 palette letters.
using PixelArt = std::array<std::string_view, 16>;

// The 16 colours of the standard palette as 0xRRGGBB, by letter. '.' is white, the colour
// the image lists treat as transparent.
constexpr std::uint32_t PaletteColour(char letter) {
    switch (letter) {
        case '0':
            return 0x000000;
        case 'r':
            return 0x800000;
        case 'g':
            return 0x008000;
        case 'y':
            return 0x808000;
        case 'b':
            return 0x000080;
        case 'm':
            return 0x800080;
        case 'c':
            return 0x008080;
        case 's':
            return 0xC0C0C0;
        case 'd':
            return 0x808080;
        case 'R':
            return 0xFF0000;
        case 'G':
            return 0x00FF00;
        case 'Y':
            return 0xFFFF00;
        case 'B':
            return 0x0000FF;
        case 'M':
            return 0xFF00FF;
        case 'C':
            return 0x00FFFF;
        default:
            return 0xFFFFFF;
    }
}

constexpr bool IsWellFormed(const PixelArt& art) {
    for (std::string_view row : art) {
        if (row.size() != 16) {
            return false;
        }
        for (char letter : row) {
            if (letter != '.' && PaletteColour(letter) == 0xFFFFFF) {
                return false;
            }
        }
    }
    return true;
}

constexpr PixelArt kFolderClosed = {
    "................", "................", "..yyyy..........", ".yYYYYy.........",
    ".yyyyyyyyyyyyy0.", ".yYYYYYYYYYYYy0.", ".yYYYYYYYYYYYy0.", ".yYYYYYYYYYYYy0.",
    ".yYYYYYYYYYYYy0.", ".yYYYYYYYYYYYy0.", ".yYYYYYYYYYYYy0.", ".yYYYYYYYYYYYy0.",
    ".yyyyyyyyyyyyy0.", "..0000000000000.", "................", "................",
};

constexpr PixelArt kFolderOpen = {
    "................", "..yyyy..........", ".yYYYYy.........", ".yYYYYyyyyyyy...",
    ".yYYYYYYYYYYy...", ".yYYyyyyyyyyyyy0", ".yYyYYYYYYYYYYy0", ".yyYYYYYYYYYYy0.",
    ".yyYYYYYYYYYYy0.", ".yYYYYYYYYYYy0..", ".yYYYYYYYYYYy0..", ".yyyyyyyyyyyy0..",
    "..000000000000..", "................", "................", "................",
};

constexpr PixelArt kProgram = {
    "................", ".00000000000000.", ".0bbbbbbbbbbss0.", ".0bbbbbbbbbbss0.",
    ".00000000000000.", ".0............0.", ".0.dddddd.....0.", ".0............0.",
    ".0.dddddddd...0.", ".0............0.", ".0.ddddd......0.", ".0............0.",
    ".0............0.", ".0............0.", ".00000000000000.", "................",
};

constexpr PixelArt kProgramDenied = {
    "................", ".00000000000000.", ".0bbbbbbbbbbss0.", ".00000000000000.",
    ".0RR........RR0.", ".0.RR......RR.0.", ".0..RR....RR..0.", ".0...RR..RR...0.",
    ".0....RRRR....0.", ".0....RRRR....0.", ".0...RR..RR...0.", ".0..RR....RR..0.",
    ".0.RR......RR.0.", ".0RR........RR0.", ".00000000000000.", "................",
};

constexpr PixelArt kKey = {
    "................", "................", "....0000........", "...0YYYY0.......",
    "..0YY00YY0......", "..0Y0..0Y0......", "..0Y0..0Y0......", "..0YY00YY0......",
    "...0YYYY0.......", "....0YY0........", "....0YY0........", "....0YYY0.......",
    "....0YY0........", "....0YYY0.......", "....0YY0........", ".....00.........",
};

constexpr PixelArt kSheetText = {
    "..000000000.....", "..0.......00....", "..0.......0.0...", "..0.......0000..",
    "..0..........0..", "..0.dddddddd.0..", "..0..........0..", "..0.dddddddd.0..",
    "..0..........0..", "..0.dddddddd.0..", "..0..........0..", "..0.dddddd...0..",
    "..0..........0..", "..0..........0..", "..000000000000..", "................",
};

constexpr PixelArt kSheetSearch = {
    "..000000000.....", "..0.......00....", "..0.......0.0...", "..0.......0000..",
    "..0.dddddd...0..", "..0..........0..", "..0.dd0000...0..", "..0..0CCCC0..0..",
    "..0.0CC.CCC0.0..", "..0.0C.CCCC0.0..", "..0.0CCCCCC0.0..", "..0..0CCCC0..0..",
    "..0...0000r..0..", "..0........rr0..", "..0000000000rr..", "................",
};

constexpr PixelArt kShield = {
    ".......00.......", ".....00BB00.....", "...00BBBBBB00...", "..0BBBBBBBBBB0..",
    "..0BBBB00BBBB0..", "..0BBB0BB0BBB0..", "..0BBB0BB0BBB0..", "..0BBYYYYYYBB0..",
    "..0BBYYY0YYBB0..", "..0BBYYY0YYBB0..", "..0BBYYYYYYBB0..", "...0BBBBBBBB0...",
    "....0BBBBBB0....", ".....0BBBB0.....", "......0BB0......", ".......00.......",
};

static_assert(IsWellFormed(kFolderClosed) && IsWellFormed(kFolderOpen) && IsWellFormed(kProgram) &&
              IsWellFormed(kProgramDenied) && IsWellFormed(kKey) && IsWellFormed(kSheetText) &&
              IsWellFormed(kSheetSearch) && IsWellFormed(kShield));

// `scale` repeats every pixel; white stays opaque in bitmaps (the image list masks it) and
// becomes fully transparent in icons.
ui::Bitmap Draw(const PixelArt& art, int scale, bool whiteTransparent) {
    ui::Bitmap bitmap;
    bitmap.width = 16 * scale;
    bitmap.height = 16 * scale;
    bitmap.pixels.resize(static_cast<std::size_t>(bitmap.width * bitmap.height));
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width; ++x) {
            const char letter =
                art[static_cast<std::size_t>(y / scale)][static_cast<std::size_t>(x / scale)];
            const std::uint32_t alpha = (whiteTransparent && letter == '.') ? 0u : 0xFF000000u;
            bitmap.pixels[static_cast<std::size_t>(y * bitmap.width + x)] =
                alpha | PaletteColour(letter);
        }
    }
    return bitmap;
}

}  // namespace

void RegisterIconResources() {
    ui::RegisterIcon(IDR_MAINFRAME, Draw(kShield, 2, true));
    ui::RegisterBitmap(IDB_KEY, Draw(kKey, 1, false));
    ui::RegisterBitmap(IDB_FOLDER_OPEN, Draw(kFolderOpen, 1, false));
    ui::RegisterBitmap(IDB_PROGRAM, Draw(kProgram, 1, false));
    ui::RegisterBitmap(IDB_SHEET_SEARCH, Draw(kSheetSearch, 1, false));
    ui::RegisterBitmap(IDB_PROGRAM_DENIED, Draw(kProgramDenied, 1, false));
    ui::RegisterBitmap(IDB_FOLDER_CLOSED, Draw(kFolderClosed, 1, false));
    ui::RegisterBitmap(IDB_SHEET_TEXT, Draw(kSheetText, 1, false));
}

}  // namespace halvgate
