#pragma once
// The About box: header image, the application title as heading, links to
// the maker's web site and mail addresses, a notice line and OK. Enter and
// Esc do not close it; OK does. It can be dragged by any point of its area.

#include <QDialog>
#include <QPoint>

class QPushButton;

namespace pw::ui {

class COrvexAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit COrvexAboutDlg(QWidget* parent = nullptr);
    QPushButton* okButton() const { return ok_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPushButton* ok_ = nullptr;
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace pw::ui
