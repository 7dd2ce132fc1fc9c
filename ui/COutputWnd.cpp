#include "ui/COutputWnd.h"

#include "ui/COrvexListCtrl.h"

namespace pw::ui {

COutputWnd::COutputWnd(QWidget* parent) : QDockWidget(QStringLiteral("Output"), parent) {
    setObjectName(QStringLiteral("logPane"));
    setFeatures(QDockWidget::DockWidgetMovable);
    setContextMenuPolicy(Qt::PreventContextMenu);
    list_ = new COrvexListCtrl(this);
    list_->setObjectName(QStringLiteral("logList"));
    setWidget(list_);
    setFocusProxy(list_);
}

}  // namespace pw::ui
