#include "ui/COrvexStatic.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QToolButton>

#include "ui/Icons.h"

namespace pw::ui {
namespace {

constexpr int kFillerColumnWidth = 1500;
constexpr int kButtonBandHeight = 35;

QFont panelFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(14);
    font.setWeight(QFont::Normal);
    return font;
}

QToolButton* pagingButton(QWidget* parent, const QIcon& icon, const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setIcon(icon);
    button->setIconSize(QSize(24, 24));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setAutoRaise(false);
    button->setFont(panelFont());
    return button;
}

}  // namespace

COrvexStatic::COrvexStatic(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("contentPanel"));
    recordList_ = new QTableWidget(0, 1, this);
    recordList_->setObjectName(QStringLiteral("recordList"));
    recordList_->setHorizontalHeaderItem(0, new QTableWidgetItem(QString()));
    recordList_->setColumnWidth(0, kFillerColumnWidth);
    recordList_->setShowGrid(true);
    recordList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    recordList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    recordList_->verticalHeader()->setVisible(false);
    // Report-list rows: one text line high.
    recordList_->verticalHeader()->setMinimumSectionSize(1);
    recordList_->verticalHeader()->setDefaultSectionSize(recordList_->fontMetrics().height() + 6);
    recordList_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    recordList_->horizontalHeader()->setStretchLastSection(false);
    recordList_->setWordWrap(false);
    recordList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    definition_ = new QPlainTextEdit(this);
    definition_->setObjectName(QStringLiteral("definitionWindow"));
    definition_->setReadOnly(true);
    definition_->setLineWrapMode(QPlainTextEdit::NoWrap);
    definition_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    definition_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    definition_->setFont(panelFont());

    previous_ = pagingButton(this, icons::previousRecords(), QStringLiteral("Previous Records"));
    previous_->setObjectName(QStringLiteral("previousRecords"));
    next_ = pagingButton(this, icons::nextRecords(), QStringLiteral("Next Records"));
    next_->setObjectName(QStringLiteral("nextRecords"));
    connect(previous_, &QToolButton::clicked, this, &COrvexStatic::previousRecordsClicked);
    connect(next_, &QToolButton::clicked, this, &COrvexStatic::nextRecordsClicked);

    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName(QStringLiteral("pageLabel"));
    pageLabel_->setFont(panelFont());

    showRecordList(false);
    placeChildren();
}

void COrvexStatic::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeChildren();
}

void COrvexStatic::placeChildren() {
    const int w = width();
    const int h = height();
    recordList_->setGeometry(0, 0, w, qMax(0, h - kButtonBandHeight));
    definition_->setGeometry(0, 0, w, h);
    previous_->setGeometry(w - 120, h - 31, 50, 25);
    next_->setGeometry(w - 65, h - 31, 50, 25);
    pageLabel_->setGeometry(10, h - 31, 490, 25);
}

void COrvexStatic::deleteAllRows() { recordList_->setRowCount(0); }

void COrvexStatic::deleteAllColumns() {
    recordList_->setRowCount(0);
    recordList_->setColumnCount(0);
}

void COrvexStatic::insertColumn(int index, const QString& heading, int widthPixels) {
    index = qBound(0, index, recordList_->columnCount());
    recordList_->insertColumn(index);
    auto* header = new QTableWidgetItem(heading);
    header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    recordList_->setHorizontalHeaderItem(index, header);
    recordList_->setColumnWidth(index, widthPixels);
}

void COrvexStatic::deleteColumn(int index) {
    if (index >= 0 && index < recordList_->columnCount()) recordList_->removeColumn(index);
}

int COrvexStatic::columnCount() const { return recordList_->columnCount(); }

int COrvexStatic::appendRow(const QStringList& values) {
    int row = recordList_->rowCount();
    recordList_->insertRow(row);
    int columns = qMin<int>(int(values.size()), recordList_->columnCount());
    for (int column = 0; column < columns; ++column)
        recordList_->setItem(row, column, new QTableWidgetItem(values[column]));
    return row;
}

void COrvexStatic::removeRow(int index) {
    if (index >= 0 && index < recordList_->rowCount()) recordList_->removeRow(index);
}

int COrvexStatic::rowCount() const { return recordList_->rowCount(); }

void COrvexStatic::showRecordList(bool show) {
    recordList_->setVisible(show);
    pageLabel_->setVisible(show);
    previous_->setVisible(show);
    next_->setVisible(show);
    definition_->setVisible(!show);
}

void COrvexStatic::setDefinitionText(const QString& text) { definition_->setPlainText(text); }
QString COrvexStatic::definitionText() const { return definition_->toPlainText(); }
void COrvexStatic::setPageLabel(const QString& text) { pageLabel_->setText(text); }
QString COrvexStatic::pageLabelText() const { return pageLabel_->text(); }
void COrvexStatic::setPreviousEnabled(bool enabled) { previous_->setEnabled(enabled); }
void COrvexStatic::setNextEnabled(bool enabled) { next_->setEnabled(enabled); }

}  // namespace pw::ui
