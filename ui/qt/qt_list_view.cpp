#include "ui/qt/qt_list_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "ui/dialog.h"
#include "ui/qt/qt_pixmap.h"
#include "ui/qt/qt_text.h"

namespace ui::qtbackend {
namespace {

// The header is exactly the framework's header height.
class FixedHeader : public QHeaderView {
  public:
    using QHeaderView::QHeaderView;
    QSize sizeHint() const override {
        return {QHeaderView::sizeHint().width(), ListView::kHeaderHeight};
    }
};

// Every row is exactly the framework's row height.
class FixedRowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), ListView::kRowHeight};
    }
};

// The first column is always left-aligned, whatever its format says, as in the list control.
constexpr unsigned kColumns = 1;
constexpr unsigned kRows = 2;
constexpr unsigned kSelection = 4;

Qt::Alignment ColumnAlignment(int column, int format) {
    if (column == 0) {
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
    switch (format & 3) {
        case LVCFMT_CENTER:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case LVCFMT_RIGHT:
            return Qt::AlignRight | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

QtListView::QtListView(ListView& model, QWidget& parent, QObject& context)
    : QtControl(model), list_(model), tree_(new QTreeWidget(&parent)), context_(context) {
    auto* header = new FixedHeader(Qt::Horizontal, tree_);
    tree_->setHeader(header);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setSortIndicatorShown(false);
    tree_->setItemDelegate(new FixedRowDelegate(tree_));
    tree_->setRootIsDecorated(false);
    tree_->setItemsExpandable(false);
    tree_->setUniformRowHeights(true);
    tree_->setAllColumnsShowFocus(true);
    tree_->setSortingEnabled(false);
    // After sorting is off, which makes the sections unclickable: the dialog sorts.
    header->setSectionsClickable((model.Template().style & Style::NoSortHeader) == 0);
    tree_->setDragEnabled(false);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setIconSize(QSize(16, 16));
    tree_->setIndentation(0);
    tree_->setTextElideMode(Qt::ElideRight);
    // The dialog decides what a click selects; the tree only shows it.
    tree_->setSelectionMode(QAbstractItemView::NoSelection);
    tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // One scroll step per row: the scroll bar's value is the model's top index.
    tree_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    tree_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    tree_->viewport()->setMouseTracking(true);

    QObject::connect(header, &QHeaderView::sectionClicked, &context,
                     [&model](int column) { model.Owner().UserColumnClick(model.Id(), column); });
    QObject::connect(tree_->verticalScrollBar(), &QScrollBar::valueChanged, &context,
                     [this](int top) {
                         if (top != list_.GetTopIndex()) {
                             scrolling_ = true;
                             list_.SetTopIndex(top);
                             scrolling_ = false;
                         }
                     });
}

Point QtListView::ListPoint(QPoint viewport) const {
    // The list's client area starts at the header, which lies just above the viewport; as in
    // the list control, scrolling sideways does not move the client coordinates.
    return {viewport.x(), viewport.y() + ListView::kHeaderHeight};
}

void QtListView::UpdateContent(Change what) {
    switch (what) {
        case Change::Columns:
            Schedule(kColumns | kRows | kSelection);
            break;
        case Change::Rows:
        case Change::Images:
            Schedule(kRows | kSelection);
            break;
        case Change::Selection:
            Schedule(kSelection);
            break;
        default:
            break;
    }
}

void QtListView::Schedule(unsigned parts) {
    pending_ |= parts;
    if (!scheduled_) {
        scheduled_ = true;
        // Posted to the window's context: dropped if the window goes away first.
        QMetaObject::invokeMethod(
            &context_, [this] { Flush(); }, Qt::QueuedConnection);
    }
}

void QtListView::Flush() {
    scheduled_ = false;
    const unsigned parts = pending_;
    pending_ = 0;
    if ((parts & kColumns) != 0) {
        ShowColumns();
    }
    if ((parts & kRows) != 0) {
        ShowRows();
    }
    if ((parts & kSelection) != 0) {
        ShowSelection();
    }
}

void QtListView::ShowColumns() {
    const int count = list_.GetColumnCount();
    tree_->setColumnCount(std::max(count, 1));
    QTreeWidgetItem* header = tree_->headerItem();
    for (int c = 0; c < count; ++c) {
        const ListView::Column& column = list_.GetColumn(c);
        header->setText(c, LabelText(column.heading));
        header->setTextAlignment(c, ColumnAlignment(c, column.format));
        tree_->header()->resizeSection(c, column.width);
    }
    tree_->header()->setVisible(count > 0);
}

void QtListView::ShowRows() {
    const int rows = list_.GetItemCount();
    const int columns = list_.GetColumnCount();
    while (tree_->topLevelItemCount() > rows) {
        delete tree_->takeTopLevelItem(tree_->topLevelItemCount() - 1);
    }
    while (tree_->topLevelItemCount() < rows) {
        tree_->addTopLevelItem(new QTreeWidgetItem);
    }
    const ImageList* images = list_.GetImageList(LVSIL_SMALL);
    for (int r = 0; r < rows; ++r) {
        QTreeWidgetItem* item = tree_->topLevelItem(r);
        for (int c = 0; c < columns; ++c) {
            const QString text = ToQString(list_.GetItemText(r, c));
            if (item->text(c) != text) {
                item->setText(c, text);
            }
            item->setTextAlignment(c, ColumnAlignment(c, list_.GetColumn(c).format));
        }
        const int image = list_.GetItemImage(r);
        if (images != nullptr && image >= 0 && image < images->GetImageCount()) {
            item->setIcon(0, QIcon(ToPixmap(images->GetImage(image))));
        } else {
            item->setIcon(0, QIcon());
        }
    }
    if (!scrolling_ && tree_->verticalScrollBar()->value() != list_.GetTopIndex()) {
        scrolling_ = true;
        tree_->verticalScrollBar()->setValue(list_.GetTopIndex());
        scrolling_ = false;
    }
}

void QtListView::ShowSelection() {
    QItemSelectionModel* selection = tree_->selectionModel();
    QAbstractItemModel* items = tree_->model();
    const int lastColumn = std::max(0, items->columnCount() - 1);
    QItemSelection selected;
    QModelIndex focused;
    for (int r = 0; r < list_.GetItemCount() && r < items->rowCount(); ++r) {
        const unsigned state =
            list_.GetItemState(r, LVIS_SELECTED | LVIS_DROPHILITED | LVIS_FOCUSED);
        if ((state & (LVIS_SELECTED | LVIS_DROPHILITED)) != 0) {
            selected.select(items->index(r, 0), items->index(r, lastColumn));
        }
        if ((state & LVIS_FOCUSED) != 0) {
            focused = items->index(r, 0);
        }
    }
    selection->select(selected, QItemSelectionModel::ClearAndSelect);
    selection->setCurrentIndex(focused, QItemSelectionModel::NoUpdate);
}

bool QtListView::Input(QObject* target, QEvent* event) {
    // Input lands on what the model holds now, and its effect shows at once.
    Flush();
    bool eaten = false;
    if (target == tree_->viewport()) {
        eaten = MouseInput(event);
    } else if (target == tree_ && event->type() == QEvent::KeyPress) {
        eaten = KeyInput(event);
    }
    if (pending_ != 0) {
        Flush();
    }
    return eaten;
}

bool QtListView::MouseInput(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton && mouse->button() != Qt::RightButton) {
                return true;
            }
            tree_->setFocus(Qt::MouseFocusReason);
            const QPoint at = mouse->position().toPoint();
            const Point point = ListPoint(at);
            const int row = list_.HitTest(point);
            pressRow_ = row;
            pressPoint_ = at;
            pressButton_ = mouse->button();
            dragStarted_ = false;
            if (mouse->button() == Qt::LeftButton) {
                const int column = tree_->header()->logicalIndexAt(at.x());
                const Qt::KeyboardModifiers keys = mouse->modifiers();
                list_.Owner().UserListClick(list_.Id(), row, column,
                                            (keys & Qt::ControlModifier) != 0,
                                            (keys & Qt::ShiftModifier) != 0);
            }
            return true;
        }
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                const QPoint at = mouse->position().toPoint();
                list_.Owner().UserListDblClick(list_.Id(), list_.HitTest(ListPoint(at)),
                                               tree_->header()->logicalIndexAt(at.x()));
            }
            return true;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            if (pressRow_ >= 0 && !dragStarted_ && (mouse->buttons() & pressButton_) != 0 &&
                (at - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
                dragStarted_ = true;
                list_.Owner().UserBeginDrag(list_.Id(), pressRow_, ListPoint(pressPoint_),
                                            pressButton_ == Qt::RightButton);
            }
            return true;
        }
        case QEvent::MouseButtonRelease:
            pressRow_ = -1;
            pressButton_ = Qt::NoButton;
            dragStarted_ = false;
            return true;
        default:
            return false;
    }
}

bool QtListView::KeyInput(QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    const int count = list_.GetItemCount();
    if (count == 0) {
        return false;
    }
    const int focused = list_.GetNextItem(-1, LVNI_FOCUSED);
    const int page = std::max(1, tree_->viewport()->height() / ListView::kRowHeight);
    int next = focused;
    switch (key->key()) {
        case Qt::Key_Up:
            next = focused < 0 ? 0 : focused - 1;
            break;
        case Qt::Key_Down:
            next = focused + 1;
            break;
        case Qt::Key_PageUp:
            next = focused - page;
            break;
        case Qt::Key_PageDown:
            next = focused + page;
            break;
        case Qt::Key_Home:
            next = 0;
            break;
        case Qt::Key_End:
            next = count - 1;
            break;
        default:
            return false;
    }
    next = std::clamp(next, 0, count - 1);
    // The arrow keys select as a click on the row would.
    list_.Owner().UserListClick(list_.Id(), next, 0, false,
                                (key->modifiers() & Qt::ShiftModifier) != 0);
    Flush();
    if (next < tree_->topLevelItemCount()) {
        tree_->scrollToItem(tree_->topLevelItem(next));
    }
    return true;
}

}  // namespace ui::qtbackend
