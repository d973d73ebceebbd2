// A dialog resource: the dialog's caption and geometry and every control with its id, kind,
// caption, geometry in dialog units and styles. Templates live beside the dialog that uses them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

enum class ControlKind {
    PushButton,   // a default push button has Style::Default
    CheckBox,     // Style::Auto toggles it on click
    RadioButton,  // Style::Auto clears the other radio buttons of its group
    GroupBox,
    Static,    // label text
    Edit,      // Style::Password, Style::ReadOnly, Style::Multiline
    ListView,  // report view; Style::SingleSelection for single selection
    ComboBox,  // drop-down list
    ProgressBar,
    Icon,  // a static picture; caption holds the icon resource id in decimal
};

namespace Style {
constexpr std::uint32_t Default = 1u << 0;  // default push button
constexpr std::uint32_t Group = 1u << 1;    // first control of a group
constexpr std::uint32_t TabStop = 1u << 2;
constexpr std::uint32_t Password = 1u << 3;
constexpr std::uint32_t ReadOnly = 1u << 4;
constexpr std::uint32_t Hidden = 1u << 5;    // not visible when the dialog opens
constexpr std::uint32_t Disabled = 1u << 6;  // disabled when the dialog opens
constexpr std::uint32_t Auto = 1u << 7;      // automatic check box or radio button
constexpr std::uint32_t Multiline = 1u << 8;
constexpr std::uint32_t SingleSelection = 1u << 9;  // list view
constexpr std::uint32_t NoSortHeader = 1u << 10;    // list view: header clicks do nothing
constexpr std::uint32_t ShowSelAlways = 1u << 11;   // list view
constexpr std::uint32_t Center = 1u << 12;          // static text alignment
constexpr std::uint32_t Right = 1u << 13;
constexpr std::uint32_t Number = 1u << 14;  // edit accepts digits only
constexpr std::uint32_t AutoHScroll = 1u << 15;
constexpr std::uint32_t VScroll = 1u << 16;
constexpr std::uint32_t Border = 1u << 17;
constexpr std::uint32_t Sunken = 1u << 18;
}  // namespace Style

struct ControlTemplate {
    int id = 0;  // -1 (IDC_STATIC) for controls that are never addressed
    ControlKind kind = ControlKind::Static;
    std::string caption;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::uint32_t style = 0;
    std::string name;  // symbolic id, for example "IDC_PATH"; scripts may use it
};

struct DialogTemplate {
    int id = 0;  // resource id
    std::string caption;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::string fontName = "MS Sans Serif";
    int fontPointSize = 8;
    bool systemMenu = true;
    bool minimizeBox = false;
    int iconId = 0;  // icon resource for the window's title bar, 0 for none
    std::vector<ControlTemplate> controls;
};

constexpr int IDC_STATIC = -1;

// Dialog units to pixels for the system font the templates name (average character width 6,
// height 13 pixels), the same for every backend so that hit-testing agrees.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;
constexpr int DluToPixelsX(int dlu) {
    return dlu * kBaseUnitX / 4;
}
constexpr int DluToPixelsY(int dlu) {
    return dlu * kBaseUnitY / 8;
}

}  // namespace ui
