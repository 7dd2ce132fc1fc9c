#include "ui/CXHtmlTree.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>

#include "ui/Icons.h"

namespace pw::ui {
namespace {

constexpr int kHandleRole = Qt::UserRole;
constexpr int kItemDataRole = Qt::UserRole + 1;
constexpr int kToolTipLength = 80;

Qt::CheckState qtState(CheckState state) {
    switch (state) {
        case CheckState::Checked: return Qt::Checked;
        case CheckState::Mixed: return Qt::PartiallyChecked;
        case CheckState::Unchecked: break;
    }
    return Qt::Unchecked;
}

}  // namespace

CXHtmlTree::CXHtmlTree(QWidget* parent) : QTreeWidget(parent), nodeIcon_(icons::treeNode()) {
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(true);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The selection stays visible while another window has the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);
}

QTreeWidgetItem* CXHtmlTree::widgetItem(TreeItem item) const {
    auto it = items_.find(item);
    return it == items_.end() ? nullptr : it->second;
}

TreeItem CXHtmlTree::handleOf(const QTreeWidgetItem* item) const {
    return item ? TreeItem(item->data(0, kHandleRole).toULongLong()) : kNoTreeItem;
}

TreeItem CXHtmlTree::insertItem(TreeItem parent, const QString& text, bool asFirstChild) {
    QTreeWidgetItem* parentItem = nullptr;
    if (parent != kNoTreeItem) {
        parentItem = widgetItem(parent);
        if (!parentItem) return kNoTreeItem;
    }
    TreeItem handle = model_.insert(parent);
    if (handle == kNoTreeItem) return kNoTreeItem;
    auto* item = new QTreeWidgetItem;
    item->setText(0, text);
    item->setIcon(0, nodeIcon_);
    item->setToolTip(0, text.left(kToolTipLength));
    item->setData(0, kHandleRole, QVariant::fromValue<qulonglong>(handle));
    item->setData(0, kItemDataRole, QVariant::fromValue<qlonglong>(0));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setData(0, Qt::CheckStateRole, Qt::Unchecked);
    if (parentItem) {
        if (asFirstChild) parentItem->insertChild(0, item);
        else parentItem->addChild(item);
    } else {
        if (asFirstChild) insertTopLevelItem(0, item);
        else addTopLevelItem(item);
    }
    items_.emplace(handle, item);
    showCheckStates(model_.ancestors(handle));
    return handle;
}

void CXHtmlTree::deleteAll() {
    clear();
    items_.clear();
    model_.clear();
}

QString CXHtmlTree::itemText(TreeItem item) const {
    QTreeWidgetItem* w = widgetItem(item);
    return w ? w->text(0) : QString();
}

TreeItem CXHtmlTree::parentOf(TreeItem item) const { return model_.parentOf(item); }

TreeItem CXHtmlTree::firstChild(TreeItem item) const {
    QTreeWidgetItem* w = widgetItem(item);
    if (!w) return kNoTreeItem;
    return w->childCount() > 0 ? handleOf(w->child(0)) : kNoTreeItem;
}

TreeItem CXHtmlTree::nextSibling(TreeItem item) const {
    QTreeWidgetItem* w = widgetItem(item);
    if (!w) return kNoTreeItem;
    if (QTreeWidgetItem* parentItem = w->parent()) {
        int index = parentItem->indexOfChild(w);
        return index + 1 < parentItem->childCount() ? handleOf(parentItem->child(index + 1)) : kNoTreeItem;
    }
    int index = indexOfTopLevelItem(w);
    return index + 1 < topLevelItemCount() ? handleOf(topLevelItem(index + 1)) : kNoTreeItem;
}

void CXHtmlTree::setItemData(TreeItem item, int64_t data) {
    if (QTreeWidgetItem* w = widgetItem(item)) w->setData(0, kItemDataRole, QVariant::fromValue<qlonglong>(data));
}

int64_t CXHtmlTree::itemData(TreeItem item) const {
    QTreeWidgetItem* w = widgetItem(item);
    return w ? w->data(0, kItemDataRole).toLongLong() : 0;
}

void CXHtmlTree::setBold(TreeItem item, bool bold) {
    QTreeWidgetItem* w = widgetItem(item);
    if (!w) return;
    QFont font = w->font(0);
    font.setBold(bold);
    w->setFont(0, font);
}

bool CXHtmlTree::isBold(TreeItem item) const {
    QTreeWidgetItem* w = widgetItem(item);
    return w && w->font(0).bold();
}

void CXHtmlTree::sortChildren(TreeItem item) {
    QTreeWidgetItem* parentItem = item == kNoTreeItem ? invisibleRootItem() : widgetItem(item);
    if (!parentItem || parentItem->childCount() < 2) return;
    TreeItem current = selectedTreeItem();
    std::vector<std::pair<QTreeWidgetItem*, bool>> expanded;
    for (int i = 0; i < parentItem->childCount(); ++i)
        expanded.emplace_back(parentItem->child(i), parentItem->child(i)->isExpanded());
    QList<QTreeWidgetItem*> children = parentItem->takeChildren();
    std::stable_sort(children.begin(), children.end(), [](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return QString::compare(a->text(0), b->text(0), Qt::CaseInsensitive) < 0;
    });
    parentItem->addChildren(children);
    for (const auto& [child, wasExpanded] : expanded) child->setExpanded(wasExpanded);
    if (current != kNoTreeItem) selectTreeItem(current);
}

TreeItem CXHtmlTree::selectedTreeItem() const { return handleOf(currentItem()); }

void CXHtmlTree::selectTreeItem(TreeItem item) {
    QTreeWidgetItem* w = widgetItem(item);
    if (!w) return;
    setCurrentItem(w);
    w->setSelected(true);
    scrollToItem(w);
}

bool CXHtmlTree::toggleCheck(TreeItem item) {
    if (!model_.toggle(item)) return false;
    showCheckStates(model_.subtree(item));
    showCheckStates(model_.ancestors(item));
    return true;
}

void CXHtmlTree::setItemEnabled(TreeItem item, bool enabled) {
    QTreeWidgetItem* w = widgetItem(item);
    if (!w) return;
    model_.setEnabled(item, enabled);
    w->setFlags(enabled ? (Qt::ItemIsEnabled | Qt::ItemIsSelectable) : Qt::ItemFlags());
    showCheckState(item);
    showCheckStates(model_.ancestors(item));
}

void CXHtmlTree::showCheckState(TreeItem item) {
    if (QTreeWidgetItem* w = widgetItem(item)) {
        Qt::CheckState state = qtState(model_.displayState(item));
        if (w->checkState(0) != state) w->setCheckState(0, state);
    }
}

void CXHtmlTree::showCheckStates(const std::vector<TreeItem>& items) {
    for (TreeItem item : items) showCheckState(item);
}

CXHtmlTree::HitArea CXHtmlTree::hitTest(const QPoint& pos, TreeItem* hit) const {
    if (hit) *hit = kNoTreeItem;
    QModelIndex index = indexAt(pos);
    if (!index.isValid()) return HitArea::Nowhere;
    index = index.sibling(index.row(), 0);
    QTreeWidgetItem* w = itemFromIndex(index);
    if (hit) *hit = handleOf(w);
    QRect cell = visualRect(index);
    if (pos.x() < cell.left()) {
        // The indentation; its last step holds the expand button.
        bool onButton = w->childCount() > 0 && pos.x() >= cell.left() - indentation();
        return onButton ? HitArea::ExpandButton : HitArea::Nowhere;
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = cell;
    option.index = index;
    option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration |
                       QStyleOptionViewItem::HasDisplay;
    option.checkState = w->checkState(0);
    option.icon = w->icon(0);
    option.text = w->text(0);
    option.font = w->font(0);
    option.fontMetrics = QFontMetrics(option.font);
    option.decorationSize = iconSize().isValid() ? iconSize() : QSize(16, 16);
    QStyle* s = style();
    if (s->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this).contains(pos))
        return HitArea::CheckBox;
    if (s->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this).contains(pos)) return HitArea::Icon;
    QRect textRect = s->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    int margin = s->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    int labelWidth = option.fontMetrics.horizontalAdvance(option.text) + 2 * margin;
    if (pos.x() >= textRect.left() && pos.x() < textRect.left() + labelWidth) return HitArea::Label;
    return pos.x() >= textRect.left() ? HitArea::RightOfLabel : HitArea::Nowhere;
}

void CXHtmlTree::mousePressEvent(QMouseEvent* event) {
    TreeItem item = kNoTreeItem;
    HitArea area = hitTest(event->position().toPoint(), &item);
    if (event->button() == Qt::LeftButton && area == HitArea::CheckBox) {
        if (toggleCheck(item)) {
            selectTreeItem(item);  // the selection follows the check
            emit checkboxClicked(item, model_.isChecked(item));
        }
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && area == HitArea::Label && item != kNoTreeItem &&
        model_.isEnabled(item)) {
        selectTreeItem(item);
        emit objectSelected(item);
    }
}

void CXHtmlTree::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        TreeItem item = selectedTreeItem();
        if (toggleCheck(item)) emit checkboxClicked(item, model_.isChecked(item));
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

}  // namespace pw::ui
