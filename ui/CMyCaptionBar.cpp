#include "ui/CMyCaptionBar.h"

#include <QHBoxLayout>
#include <QLabel>

#include "ui/Icons.h"

namespace pw::ui {

CMyCaptionBar::CMyCaptionBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("captionBar"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Base));
    setPalette(colours);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->setSpacing(6);
    image_ = new QLabel(this);
    image_->setPixmap(icons::caption());
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("captionText"));
    text_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    text_->setTextFormat(Qt::PlainText);
    layout->addWidget(image_);
    layout->addWidget(text_, 1);
}

void CMyCaptionBar::setText(const QString& text) {
    text_->setText(text);
    text_->repaint();
}

QString CMyCaptionBar::text() const { return text_->text(); }

}  // namespace pw::ui
