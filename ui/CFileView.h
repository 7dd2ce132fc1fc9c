#pragma once
// The tree pane "MS SQL Database Objects", docked at the left: the object
// tree inside a one-pixel frame. The pane can be resized and docked but
// neither floated nor closed.

#include <QDockWidget>

namespace pw::ui {

class CXHtmlTree;

class CFileView : public QDockWidget {
    Q_OBJECT
public:
    explicit CFileView(QWidget* parent = nullptr);
    CXHtmlTree* tree() const { return tree_; }

private:
    CXHtmlTree* tree_ = nullptr;
};

}  // namespace pw::ui
