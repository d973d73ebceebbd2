#include "ui/qt/qt_control_factory.h"

#include "ui/combo_box.h"
#include "ui/list_view.h"
#include "ui/progress_bar.h"
#include "ui/qt/qt_check_box.h"
#include "ui/qt/qt_combo_box.h"
#include "ui/qt/qt_edit.h"
#include "ui/qt/qt_group_box.h"
#include "ui/qt/qt_icon.h"
#include "ui/qt/qt_list_view.h"
#include "ui/qt/qt_multiline_edit.h"
#include "ui/qt/qt_progress_bar.h"
#include "ui/qt/qt_push_button.h"
#include "ui/qt/qt_radio_button.h"
#include "ui/qt/qt_static.h"

namespace ui::qtbackend {

std::unique_ptr<QtControl> MakeQtControl(Control& model, QWidget& parent, QObject& context) {
    switch (model.Kind()) {
        case ControlKind::PushButton:
            return std::make_unique<QtPushButton>(model, parent, context);
        case ControlKind::CheckBox:
            return std::make_unique<QtCheckBox>(model, parent, context);
        case ControlKind::RadioButton:
            return std::make_unique<QtRadioButton>(model, parent, context);
        case ControlKind::GroupBox:
            return std::make_unique<QtGroupBox>(model, parent);
        case ControlKind::Static:
            return std::make_unique<QtStatic>(model, parent);
        case ControlKind::Edit:
            if ((model.Template().style & Style::Multiline) != 0) {
                return std::make_unique<QtMultilineEdit>(model, parent, context);
            }
            return std::make_unique<QtEdit>(model, parent, context);
        case ControlKind::ListView:
            return std::make_unique<QtListView>(static_cast<ListView&>(model), parent, context);
        case ControlKind::ComboBox:
            return std::make_unique<QtComboBox>(static_cast<ComboBox&>(model), parent, context);
        case ControlKind::ProgressBar:
            return std::make_unique<QtProgressBar>(static_cast<ProgressBar&>(model), parent);
        case ControlKind::Icon:
            return std::make_unique<QtIcon>(model, parent);
    }
    return nullptr;
}

}  // namespace ui::qtbackend
