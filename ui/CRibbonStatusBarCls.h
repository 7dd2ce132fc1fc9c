#pragma once
// The status bar: the product's web link, a separator, the application
// title at the right, and the progress bar, hidden except while work runs.

#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace pw::ui {

class CRibbonStatusBarCls : public QStatusBar {
    Q_OBJECT
public:
    explicit CRibbonStatusBarCls(QWidget* parent = nullptr);

    QProgressBar* progressBar() const { return progress_; }
    // Position 0, then the range lower .. upper.
    void setProgressRange(int lower, int upper);
    void setProgressPos(int position);
    void showProgress(bool show);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeProgressBar();

    QLabel* link_ = nullptr;
    QLabel* title_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

}  // namespace pw::ui
