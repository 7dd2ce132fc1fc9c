#pragma once
// The content panel that fills the view: the record list with its page label
// and the "Previous Records" / "Next Records" buttons for a table, or the
// read-only definition window for everything else. At start only the empty
// definition window shows.

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QTableWidget;
class QToolButton;

namespace pw::ui {

class COrvexStatic : public QWidget {
    Q_OBJECT
public:
    explicit COrvexStatic(QWidget* parent = nullptr);

    QTableWidget* recordList() const { return recordList_; }
    QPlainTextEdit* definitionWindow() const { return definition_; }
    QLabel* pageLabel() const { return pageLabel_; }
    QToolButton* previousButton() const { return previous_; }
    QToolButton* nextButton() const { return next_; }

    // Record list operations (columns numbered from 0).
    void deleteAllRows();
    void deleteAllColumns();
    void insertColumn(int index, const QString& heading, int widthPixels);
    void deleteColumn(int index);
    int columnCount() const;
    int appendRow(const QStringList& values);
    void removeRow(int index);
    int rowCount() const;

    // true: list, page label and buttons shown, definition hidden.
    void showRecordList(bool show);
    void setDefinitionText(const QString& text);
    QString definitionText() const;
    void setPageLabel(const QString& text);
    QString pageLabelText() const;
    void setPreviousEnabled(bool enabled);
    void setNextEnabled(bool enabled);

signals:
    void previousRecordsClicked();
    void nextRecordsClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeChildren();

    QTableWidget* recordList_ = nullptr;
    QPlainTextEdit* definition_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QToolButton* previous_ = nullptr;
    QToolButton* next_ = nullptr;
};

}  // namespace pw::ui
