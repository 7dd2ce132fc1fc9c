#include "ui/COrvexListCtrl.h"

namespace pw::ui {

COrvexListCtrl::COrvexListCtrl(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setUniformItemSizes(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void COrvexListCtrl::insertLine(int index, const QString& text) {
    index = qBound(0, index, count());
    insertItem(index, text);
    scrollToItem(item(index));
}

void COrvexListCtrl::replaceLastLine(const QString& text) {
    if (count() == 0) {
        addItem(text);
        return;
    }
    item(count() - 1)->setText(text);
}

QStringList COrvexListCtrl::lines() const {
    QStringList result;
    for (int i = 0; i < count(); ++i) result << item(i)->text();
    return result;
}

}  // namespace pw::ui
