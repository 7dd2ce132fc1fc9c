#include "ui/CFileView.h"

#include <QFrame>
#include <QVBoxLayout>

#include "ui/CXHtmlTree.h"

namespace pw::ui {

CFileView::CFileView(QWidget* parent) : QDockWidget(QStringLiteral("MS SQL Database Objects"), parent) {
    setObjectName(QStringLiteral("treePane"));
    setFeatures(QDockWidget::DockWidgetMovable);
    setContextMenuPolicy(Qt::PreventContextMenu);
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    QPalette colours = frame->palette();
    colours.setColor(QPalette::WindowText, colours.color(QPalette::Dark));
    frame->setPalette(colours);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(1, 1, 1, 1);
    tree_ = new CXHtmlTree(frame);
    tree_->setObjectName(QStringLiteral("objectTree"));
    tree_->setFrameShape(QFrame::NoFrame);
    layout->addWidget(tree_);
    frame->setFocusProxy(tree_);
    setFocusProxy(tree_);
    setWidget(frame);
}

}  // namespace pw::ui
