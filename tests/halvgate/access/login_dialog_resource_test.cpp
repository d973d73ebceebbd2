#include "halvgate/res/login_dialog_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/types.h"

namespace halvgate {
namespace {

namespace S = ui::Style;

const ui::ControlTemplate* Find(int id) {
    for (const auto& control : LoginDialogTemplate().controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

TEST(LoginDialogResourceTest, EveryControlWithItsKindCaptionAndStyle) {
    struct Case {
        int id;
        ui::ControlKind kind;
        const char* caption;
        std::uint32_t required;
        const char* name;
    };
    const Case cases[] = {
        {IDC_LOGIN_PASSWORD, ui::ControlKind::Edit, "", S::Password, "IDC_LOGIN_PASSWORD"},
        {IDC_LOGIN_DISABLE_PROTECTION, ui::ControlKind::RadioButton, "", S::Group,
         "IDC_LOGIN_DISABLE_PROTECTION"},
        {IDC_LOGIN_ONLY, ui::ControlKind::RadioButton, "", 0, "IDC_LOGIN_ONLY"},
        {IDC_LOGIN_OK, ui::ControlKind::PushButton, "OK", 0, "IDC_LOGIN_OK"},
        {IDC_LOGIN_RESCUE_DISK, ui::ControlKind::PushButton, "Rescue Disk", 0,
         "IDC_LOGIN_RESCUE_DISK"},
        {IDC_LOGIN_CLOSE, ui::ControlKind::PushButton, "Close", 0, "IDC_LOGIN_CLOSE"},
        {IDC_LOGIN_DISABLE_CHECK, ui::ControlKind::CheckBox,
         "Disable all protections when in Halvern Monitor", S::Hidden, "IDC_LOGIN_DISABLE_CHECK"},
        {IDC_LOGIN_ONLY_CHECK, ui::ControlKind::CheckBox, "Login Only", S::Hidden,
         "IDC_LOGIN_ONLY_CHECK"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ui::ControlTemplate* control = Find(c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->kind, c.kind);
        EXPECT_EQ(control->caption, c.caption);
        EXPECT_EQ(control->style & c.required, c.required);
        EXPECT_EQ(control->name, c.name);
        // Plain buttons: the handlers decide, and clicks on the hidden boxes change nothing.
        EXPECT_EQ(control->style & S::Auto, 0u);
    }
    EXPECT_EQ(LoginDialogTemplate().id, 142);
    EXPECT_EQ(LoginDialogTemplate().caption, "Login to Halvern 2001");
}

// Enter and Escape end the dialog unchecked only while no button is the default one and none
// carries the standard OK and Cancel ids.
TEST(LoginDialogResourceTest, NoDefaultButtonAndNoStandardIds) {
    for (const auto& control : LoginDialogTemplate().controls) {
        EXPECT_EQ(control.style & S::Default, 0u) << control.name;
        EXPECT_NE(control.id, ui::IDOK) << control.name;
        EXPECT_NE(control.id, ui::IDCANCEL) << control.name;
    }
}

TEST(LoginDialogResourceTest, TheLabelsAndExplanations) {
    std::vector<std::string> texts;
    for (const auto& control : LoginDialogTemplate().controls) {
        if (control.id == ui::IDC_STATIC) {
            texts.push_back(control.caption);
        }
    }
    const std::vector<std::string> expected = {
        "Password Required",
        "Disable all protection when in Halvern Monitor",
        "If this option is checked, you can access protected files / ",
        "folders when in Halvern Monitor",
        "Login Only",
        "If this option is checked, you're just logging in. Usually",
        "you check this option if you would like to access all",
        "protected files / folders, and don't want to change settings.",
    };
    EXPECT_EQ(texts, expected);
}

}  // namespace
}  // namespace halvgate
