#include "ui/COrvexAboutDlg.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/AppTexts.h"
#include "ui/Icons.h"

namespace pw::ui {
namespace {

QPushButton* linkButton(QWidget* parent, const QString& text, const QString& target, const QString& tip) {
    auto* button = new QPushButton(text, parent);
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    button->setStyleSheet(QStringLiteral("QPushButton { color: #1a5fb4; text-decoration: underline; "
                                         "text-align: left; border: none; padding: 1px 4px; }"));
    QObject::connect(button, &QPushButton::clicked, [target] { QDesktopServices::openUrl(QUrl(target)); });
    return button;
}

}  // namespace

COrvexAboutDlg::COrvexAboutDlg(QWidget* parent) : QDialog(parent) {
    const QString title = QString::fromUtf8(kAppTitle);
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(title);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->setSpacing(4);

    auto* header = new QLabel(this);
    header->setPixmap(icons::aboutHeader(395, 85, title));
    layout->addWidget(header);

    auto* heading = new QLabel(title, this);
    heading->setObjectName(QStringLiteral("aboutHeading"));
    QFont headingFont(QStringLiteral("Arial"));
    headingFont.setPixelSize(15);
    headingFont.setWeight(QFont::DemiBold);
    heading->setFont(headingFont);
    heading->setContentsMargins(12, 6, 12, 0);
    layout->addWidget(heading);

    const QString site = QString::fromUtf8(kProductUrl);
    const QString support = QString::fromUtf8(kSupportAddress);
    const QString sales = QString::fromUtf8(kSalesAddress);
    auto* links = new QVBoxLayout;
    links->setContentsMargins(8, 0, 8, 0);
    links->setSpacing(0);
    links->addWidget(linkButton(this, site, site, QStringLiteral("Company website")));
    links->addWidget(linkButton(this, support, QStringLiteral("mailto:") + support,
                                QStringLiteral("Support email address")));
    links->addWidget(linkButton(this, sales, QStringLiteral("mailto:") + sales,
                                QStringLiteral("Sales email address")));
    layout->addLayout(links);

    auto* notice = new QLabel(QStringLiteral("Reads damaged SQL Server data files without changing them."), this);
    notice->setContentsMargins(12, 4, 12, 0);
    layout->addWidget(notice);
    auto* rule = new QLabel(QString(60, QLatin1Char('_')), this);
    rule->setContentsMargins(12, 0, 12, 0);
    layout->addWidget(rule);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setAutoDefault(false);
    ok_->setDefault(false);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint().expandedTo(QSize(395, 0)));
}

void COrvexAboutDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();  // the box stays open
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void COrvexAboutDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void COrvexAboutDlg::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void COrvexAboutDlg::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QDialog::mouseReleaseEvent(event);
}

}  // namespace pw::ui
