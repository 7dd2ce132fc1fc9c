#include "ui/CRibbonStatusBarCls.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>

#include "ui/AppTexts.h"

namespace pw::ui {

CRibbonStatusBarCls::CRibbonStatusBarCls(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("statusBar"));
    setSizeGripEnabled(true);
    const QString url = QString::fromUtf8(kProductUrl);
    link_ = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(url.toHtmlEscaped()), this);
    link_->setObjectName(QStringLiteral("productLink"));
    link_->setToolTip(QString::fromUtf8(kAppTitle));
    link_->setTextFormat(Qt::RichText);
    link_->setOpenExternalLinks(true);
    addWidget(link_);
    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Sunken);
    addWidget(separator);
    title_ = new QLabel(QString::fromUtf8(kAppTitle), this);
    title_->setObjectName(QStringLiteral("titlePane"));
    addPermanentWidget(title_);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progressBar"));
    progress_->setTextVisible(false);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->hide();
    setMinimumHeight(24);
}

void CRibbonStatusBarCls::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    placeProgressBar();
}

void CRibbonStatusBarCls::placeProgressBar() {
    // Left 250, top 3, as wide as the bar less 560, 17 high.
    progress_->setGeometry(250, 3, qMax(0, width() - 560), 17);
    progress_->raise();
}

void CRibbonStatusBarCls::setProgressRange(int lower, int upper) {
    progress_->setValue(progress_->minimum());
    progress_->setRange(lower, qMax(lower, upper));
    progress_->setValue(lower);
}

void CRibbonStatusBarCls::setProgressPos(int position) {
    progress_->setValue(qBound(progress_->minimum(), position, progress_->maximum()));
}

void CRibbonStatusBarCls::showProgress(bool show) {
    placeProgressBar();
    progress_->setVisible(show);
}

}  // namespace pw::ui
