// Geometry and the documented Win32 values of the dialog framework (command ids, message-box
// flags, list-view states), so that dialog code reads as it would on Windows.
#pragma once

#include <cstdint>

namespace ui {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Command ids and message-box results
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Message-box types (buttons | icon | modality)
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_TYPEMASK = 0xF;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONSTOP = MB_ICONHAND;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr unsigned MB_ICONMASK = 0xF0;
constexpr unsigned MB_SYSTEMMODAL = 0x1000;
constexpr unsigned MB_SETFOREGROUND = 0x10000;
constexpr unsigned MB_TOPMOST = 0x40000;

// Button check states
constexpr unsigned BST_UNCHECKED = 0;
constexpr unsigned BST_CHECKED = 1;
constexpr unsigned BST_INDETERMINATE = 2;

// List-view item states, next-item flags and column formats
constexpr unsigned LVIS_FOCUSED = 0x1;
constexpr unsigned LVIS_SELECTED = 0x2;
constexpr unsigned LVIS_CUT = 0x4;
constexpr unsigned LVIS_DROPHILITED = 0x8;
constexpr unsigned LVNI_ALL = 0x0;
constexpr unsigned LVNI_FOCUSED = 0x1;
constexpr unsigned LVNI_SELECTED = 0x2;
constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;
constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;

// Colours (0x00BBGGRR as COLORREF) and image-list background
using COLORREF = std::uint32_t;
constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}
constexpr COLORREF CLR_NONE = 0xFFFFFFFF;

// System menu
constexpr unsigned SC_CLOSE = 0xF060;

// Shell folder ids for the folder browser root
constexpr int CSIDL_DESKTOP = 0x0000;
constexpr int CSIDL_DRIVES = 0x0011;

}  // namespace ui
