#pragma once
// The caption bar under the toolbar: an image at the left and one line of
// guidance or status text.

#include <QWidget>

class QLabel;

namespace pw::ui {

class CMyCaptionBar : public QWidget {
    Q_OBJECT
public:
    explicit CMyCaptionBar(QWidget* parent = nullptr);
    void setText(const QString& text);
    QString text() const;

private:
    QLabel* image_ = nullptr;
    QLabel* text_ = nullptr;
};

}  // namespace pw::ui
