// The templates of the protected items window and the About box: every control of the window
// with its caption, and a layout in which nothing leaves the dialog or covers another control.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "halvgate/res/about_dialog_resource.h"
#include "halvgate/res/protected_items_dialog_ids.h"
#include "halvgate/res/protected_items_dialog_resource.h"
#include "ui/dialog_template.h"
#include "ui/types.h"

namespace halvgate_test {
namespace {

using ui::ControlKind;

bool Overlap(const ui::ControlTemplate& a, const ui::ControlTemplate& b) {
    return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

void ExpectTidyLayout(const ui::DialogTemplate& tmpl) {
    for (std::size_t i = 0; i < tmpl.controls.size(); ++i) {
        const auto& a = tmpl.controls[i];
        SCOPED_TRACE(a.name + " " + a.caption);
        EXPECT_GE(a.x, 0);
        EXPECT_GE(a.y, 0);
        EXPECT_LE(a.x + a.cx, tmpl.cx);
        EXPECT_LE(a.y + a.cy, tmpl.cy);
        EXPECT_FALSE(a.name.empty());
        // A character is about 4 dialog units wide, a line 8 high; check boxes and radio
        // buttons need room for their box.
        const int textWidth = 4 * static_cast<int>(a.caption.size());
        switch (a.kind) {
            case ControlKind::GroupBox:
            case ControlKind::PushButton:
                EXPECT_LE(textWidth, a.cx) << "the caption is cut";
                break;
            case ControlKind::CheckBox:
            case ControlKind::RadioButton:
                EXPECT_LE(textWidth + 12, a.cx) << "the caption is cut";
                break;
            case ControlKind::Static:
                EXPECT_LE(textWidth, a.cx * std::max(1, a.cy / 8)) << "the caption is cut";
                break;
            default:
                break;
        }
        if (a.kind == ControlKind::GroupBox || (a.style & ui::Style::Hidden) != 0) {
            continue;
        }
        for (std::size_t j = i + 1; j < tmpl.controls.size(); ++j) {
            const auto& b = tmpl.controls[j];
            if (b.kind == ControlKind::GroupBox || (b.style & ui::Style::Hidden) != 0) {
                continue;
            }
            EXPECT_FALSE(Overlap(a, b)) << "covers " << b.name << " " << b.caption;
        }
    }
}

TEST(DialogTemplatesTest, TheProtectedItemsWindowHasEveryControlWithItsCaption) {
    const ui::DialogTemplate& tmpl = halvgate::ProtectedItemsDialogTemplate();
    EXPECT_EQ(tmpl.id, 102);
    EXPECT_EQ(tmpl.caption, "Halvern 2001 Special Edition");
    EXPECT_EQ(tmpl.iconId, 128);
    EXPECT_TRUE(tmpl.systemMenu);
    const std::map<int, std::pair<ControlKind, std::string>> expected = {
        {1000, {ControlKind::Edit, ""}},
        {1001, {ControlKind::PushButton, "File..."}},
        {1002, {ControlKind::PushButton, "Dir..."}},
        {1003, {ControlKind::PushButton, "Read Only"}},
        {1004, {ControlKind::PushButton, "No Access"}},
        {1005, {ControlKind::PushButton, "Full Hidden"}},
        {1006, {ControlKind::PushButton, "Invisible Only"}},
        {1007, {ControlKind::CheckBox, "Create"}},
        {1008, {ControlKind::CheckBox, "Open"}},
        {1009, {ControlKind::CheckBox, "Read"}},
        {1010, {ControlKind::CheckBox, "Write (Modify)"}},
        {1011, {ControlKind::CheckBox, "Write (Append)"}},
        {1012, {ControlKind::CheckBox, "Execute"}},
        {1013, {ControlKind::CheckBox, "Rename"}},
        {1014, {ControlKind::CheckBox, "Delete"}},
        {1015, {ControlKind::CheckBox, "Set Attribute"}},
        {1016, {ControlKind::CheckBox, "Invisible"}},
        {1020, {ControlKind::PushButton, "Add Item to List"}},
        {1021, {ControlKind::ListView, ""}},
        {1022, {ControlKind::PushButton, "Activate"}},
        {1023, {ControlKind::PushButton, "Deactivate"}},
        {1024, {ControlKind::PushButton, "Delete"}},
        {1025, {ControlKind::PushButton, "Reload"}},
        {1026, {ControlKind::PushButton, "Apply"}},
        {1027, {ControlKind::PushButton, "All"}},
        {1028, {ControlKind::PushButton, "All"}},
        {1029, {ControlKind::PushButton, "All"}},
        {1030, {ControlKind::PushButton, "Close"}},
        {1031, {ControlKind::PushButton, "Settings..."}},
        {1032, {ControlKind::PushButton, "About..."}},
        {1033, {ControlKind::PushButton, "Define safe programs..."}},
        {1037, {ControlKind::PushButton, "Clear"}},
        {1039, {ControlKind::RadioButton, "Disable"}},
        {1040, {ControlKind::RadioButton, "Prompt"}},
        {1044, {ControlKind::ListView, ""}},
        {1045, {ControlKind::ListView, ""}},
        {1046, {ControlKind::CheckBox, "Recursive"}},
        {1069, {ControlKind::RadioButton, "Ask Password"}},
    };
    std::map<int, std::pair<ControlKind, std::string>> found;
    for (const auto& control : tmpl.controls) {
        if (control.id != ui::IDC_STATIC) {
            EXPECT_TRUE(found.emplace(control.id, std::pair{control.kind, control.caption}).second)
                << "id " << control.id << " twice";
        }
    }
    EXPECT_EQ(found, expected);
    for (const auto& control : tmpl.controls) {
        const bool hidden = (control.style & ui::Style::Hidden) != 0;
        const bool shouldHide = control.id == 1044 || control.id == 1045 || control.id == 1046;
        EXPECT_EQ(hidden, shouldHide) << control.name;
        const bool isDefault = (control.style & ui::Style::Default) != 0;
        EXPECT_EQ(isDefault, control.id == 1020 || control.id == 1026) << control.name;
    }
    ExpectTidyLayout(tmpl);
}

TEST(DialogTemplatesTest, TheAboutBoxHasItsAddressFieldGoAndOk) {
    const ui::DialogTemplate& tmpl = halvgate::AboutDialogTemplate();
    EXPECT_EQ(tmpl.id, 100);
    std::map<int, std::string> captions;
    for (const auto& control : tmpl.controls) {
        captions[control.id] = control.caption;
    }
    EXPECT_EQ(captions.at(1000), "");
    EXPECT_EQ(captions.at(1001), "GO");
    EXPECT_EQ(captions.at(ui::IDOK), "OK");
    ExpectTidyLayout(tmpl);
}

}  // namespace
}  // namespace halvgate_test
