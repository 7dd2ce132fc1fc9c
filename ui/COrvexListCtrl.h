#pragma once
// The list of the log pane: one line per log event, no header, single
// selection, both scroll bars as needed.

#include <QListWidget>

namespace pw::ui {

class COrvexListCtrl : public QListWidget {
    Q_OBJECT
public:
    explicit COrvexListCtrl(QWidget* parent = nullptr);
    // Inserts a line at `index` (clamped to the end) and scrolls to it.
    void insertLine(int index, const QString& text);
    // Replaces the text of the last line (adds one when the list is empty).
    void replaceLastLine(const QString& text);
    QStringList lines() const;
};

}  // namespace pw::ui
