#pragma once
// The log pane "Output", docked at the bottom: the visible side of the log.
// The pane can be resized and docked but neither floated nor closed.

#include <QDockWidget>

namespace pw::ui {

class COrvexListCtrl;

class COutputWnd : public QDockWidget {
    Q_OBJECT
public:
    explicit COutputWnd(QWidget* parent = nullptr);
    COrvexListCtrl* list() const { return list_; }

private:
    COrvexListCtrl* list_ = nullptr;
};

}  // namespace pw::ui
