#include "ui/qt/qt_icon.h"

#include <charconv>

#include "ui/qt/qt_pixmap.h"
#include "ui/resources.h"

namespace ui::qtbackend {

QtIcon::QtIcon(Control& model, QWidget& parent) : QtControl(model), label_(new QLabel(&parent)) {
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void QtIcon::UpdateContent(Change what) {
    if (what != Change::Text) {
        return;
    }
    const Bitmap* icon = Picture();
    if (icon != nullptr) {
        label_->setPixmap(ToPixmap(*icon));
    } else {
        label_->clear();
    }
    label_->setGeometry(Placement());
}

const Bitmap* QtIcon::Picture() const {
    const std::string& caption = Model().GetText();
    int id = 0;
    std::from_chars(caption.data(), caption.data() + caption.size(), id);
    return LoadIcon(id);
}

QRect QtIcon::Placement() const {
    // An icon control takes the size of its picture, whatever the template says.
    QRect placement = QtControl::Placement();
    if (const Bitmap* icon = Picture()) {
        placement.setSize({icon->width, icon->height});
    }
    return placement;
}

}  // namespace ui::qtbackend
