// A report-view list: the model's columns, rows, small icons and selection in a tree widget
// with the framework's fixed header and row heights, so that a point means the same row here
// as in the model's hit-testing. Clicks, keys, header clicks and drag starts go to the dialog;
// Qt's own selection handling is off.
#pragma once

#include <QPoint>
#include <QTreeWidget>

#include "ui/list_view.h"
#include "ui/qt/qt_control.h"

namespace ui::qtbackend {

class QtListView : public QtControl {
  public:
    QtListView(ListView& model, QWidget& parent, QObject& context);
    QWidget* Widget() const override { return tree_; }
    bool Input(QObject* target, QEvent* event) override;
    void Flush() override;

    // A point of the tree's viewport in the list's client coordinates.
    Point ListPoint(QPoint viewport) const;

  protected:
    void UpdateContent(Change what) override;

  private:
    // A program filling a list changes it row by row and cell by cell; each change is noted
    // and all are shown together once Qt is back in its event loop (or at the next input).
    void Schedule(unsigned parts);
    void ShowColumns();
    void ShowRows();
    void ShowSelection();
    bool MouseInput(QEvent* event);
    bool KeyInput(QEvent* event);

    ListView& list_;
    QTreeWidget* tree_;
    QObject& context_;
    unsigned pending_ = 0;  // kColumns, kRows, kSelection still to show
    bool scheduled_ = false;
    bool scrolling_ = false;  // the tree scrolled and is telling the model
    int pressRow_ = -1;       // the row under the button pressed, while it is down
    QPoint pressPoint_;
    Qt::MouseButton pressButton_ = Qt::NoButton;
    bool dragStarted_ = false;
};

}  // namespace ui::qtbackend
