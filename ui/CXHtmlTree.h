#pragma once
// The check-box tree of the object pane: a tree widget whose items carry
// check boxes with a tri-state summary on parents (counted by
// CheckTreeModel), one image per item, optional bold text and an integer of
// item data. A left click on an item's label (not on the expand button or
// the check box) reports objectSelected; keyboard navigation does not.

#include <QTreeWidget>
#include <unordered_map>

#include "presentation/CheckTreeModel.h"
#include "presentation/TreeSink.h"

namespace pw::ui {

class CXHtmlTree : public QTreeWidget {
    Q_OBJECT
public:
    // Where a point of the viewport falls.
    enum class HitArea { Nowhere, ExpandButton, CheckBox, Icon, Label, RightOfLabel };

    explicit CXHtmlTree(QWidget* parent = nullptr);

    TreeItem insertItem(TreeItem parent, const QString& text, bool asFirstChild);
    void deleteAll();

    QString itemText(TreeItem item) const;
    TreeItem parentOf(TreeItem item) const;
    TreeItem firstChild(TreeItem item) const;
    TreeItem nextSibling(TreeItem item) const;
    void setItemData(TreeItem item, int64_t data);
    int64_t itemData(TreeItem item) const;
    void setBold(TreeItem item, bool bold);
    bool isBold(TreeItem item) const;
    void sortChildren(TreeItem item);
    TreeItem selectedTreeItem() const;
    void selectTreeItem(TreeItem item);

    // The check toggle of a click or the space bar (enabled items only).
    bool toggleCheck(TreeItem item);
    void setItemEnabled(TreeItem item, bool enabled);
    CheckState checkState(TreeItem item) const { return model_.displayState(item); }
    const CheckTreeModel& checkModel() const { return model_; }

    QTreeWidgetItem* widgetItem(TreeItem item) const;
    TreeItem handleOf(const QTreeWidgetItem* item) const;
    HitArea hitTest(const QPoint& viewportPos, TreeItem* item = nullptr) const;

signals:
    // A left click on an item's label.
    void objectSelected(pw::TreeItem item);
    // After a check toggle, with the new state.
    void checkboxClicked(pw::TreeItem item, bool checked);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showCheckState(TreeItem item);
    void showCheckStates(const std::vector<TreeItem>& items);

    CheckTreeModel model_;
    std::unordered_map<TreeItem, QTreeWidgetItem*> items_;
    QIcon nodeIcon_;
};

}  // namespace pw::ui
