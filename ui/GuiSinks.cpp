#include "ui/GuiSinks.h"

#include <QPlainTextEdit>
#include <QTableWidget>
#include <climits>

#include "ui/CMainFrame.h"
#include "ui/COrvexStatic.h"
#include "ui/CXHtmlTree.h"
#include "ui/GuiCall.h"
#include "ui/Prompter.h"

namespace pw::ui {
namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// --- MessageSink --------------------------------------------------------------

void GuiMessageSink::setProgressRange(uint32_t lower, uint32_t upper) {
    callOnGui(&frame_, [&] { frame_.OnSetProgressRange(lower, upper); });
}

void GuiMessageSink::setProgressPos(uint32_t position) {
    callOnGui(&frame_, [&] { frame_.OnSetProgressPos(position); });
}

void GuiMessageSink::setStatusText(const std::string& text) {
    callOnGui(&frame_, [&] { frame_.OnSetStatusText(qs(text)); });
}

void GuiMessageSink::recoveryError(const std::string& text) {
    callOnGui(&frame_, [&] { frame_.OnRecoveryError(qs(text)); });
}

void GuiMessageSink::addLogLine(const std::string& text) {
    callOnGui(&frame_, [&] { frame_.OnAddLogLine(qs(text)); });
}

// --- TreeSink -------------------------------------------------------------------

TreeItem GuiTreeSink::insertItem(TreeItem parent, const std::string& text, bool asFirstChild) {
    return callOnGui(&frame_, [&] { return tree_.insertItem(parent, qs(text), asFirstChild); });
}

void GuiTreeSink::deleteAll() {
    callOnGui(&frame_, [&] { tree_.deleteAll(); });
}

std::string GuiTreeSink::itemText(TreeItem item) const {
    return callOnGui(&frame_, [&] { return tree_.itemText(item).toStdString(); });
}

TreeItem GuiTreeSink::parentOf(TreeItem item) const {
    return callOnGui(&frame_, [&] { return tree_.parentOf(item); });
}

TreeItem GuiTreeSink::firstChild(TreeItem item) const {
    return callOnGui(&frame_, [&] { return tree_.firstChild(item); });
}

TreeItem GuiTreeSink::nextSibling(TreeItem item) const {
    return callOnGui(&frame_, [&] { return tree_.nextSibling(item); });
}

void GuiTreeSink::setItemData(TreeItem item, int64_t data) {
    callOnGui(&frame_, [&] { tree_.setItemData(item, data); });
}

int64_t GuiTreeSink::itemData(TreeItem item) const {
    return callOnGui(&frame_, [&] { return tree_.itemData(item); });
}

void GuiTreeSink::setBold(TreeItem item, bool bold) {
    callOnGui(&frame_, [&] { tree_.setBold(item, bold); });
}

void GuiTreeSink::sortChildren(TreeItem item) {
    callOnGui(&frame_, [&] { tree_.sortChildren(item); });
}

TreeItem GuiTreeSink::selectedItem() const {
    return callOnGui(&frame_, [&] { return tree_.selectedTreeItem(); });
}

void GuiTreeSink::selectItem(TreeItem item) {
    callOnGui(&frame_, [&] { tree_.selectTreeItem(item); });
}

void GuiTreeSink::redraw() {
    callOnGui(&frame_, [&] { tree_.viewport()->update(); });
}

// --- ContentSink ----------------------------------------------------------------

void GuiContentSink::deleteAllRows() {
    callOnGui(&frame_, [&] { frame_.contentPanel()->deleteAllRows(); });
}

void GuiContentSink::insertColumn(int index, const std::string& heading, int widthPixels) {
    callOnGui(&frame_, [&] { frame_.contentPanel()->insertColumn(index, qs(heading), widthPixels); });
}

void GuiContentSink::deleteColumn(int index) {
    callOnGui(&frame_, [&] { frame_.contentPanel()->deleteColumn(index); });
}

int GuiContentSink::columnCount() const {
    return callOnGui(&frame_, [&] { return frame_.contentPanel()->columnCount(); });
}

int GuiContentSink::appendRow(const std::vector<std::string>& values) {
    QStringList row;
    row.reserve(qsizetype(values.size()));
    for (const std::string& value : values) row << qs(value);
    return callOnGui(&frame_, [&] { return frame_.contentPanel()->appendRow(row); });
}

void GuiContentSink::removeRow(int index) {
    callOnGui(&frame_, [&] { frame_.contentPanel()->removeRow(index); });
}

int GuiContentSink::rowCount() const {
    return callOnGui(&frame_, [&] { return frame_.contentPanel()->rowCount(); });
}

void GuiContentSink::repaintList() {
    callOnGui(&frame_, [&] { frame_.contentPanel()->recordList()->viewport()->update(); });
}

void GuiContentSink::showRecordList(bool show) {
    callOnGui(&frame_, [&] { frame_.contentPanel()->showRecordList(show); });
}

void GuiContentSink::setDefinitionText(const std::string& text) {
    callOnGui(&frame_, [&] { frame_.contentPanel()->setDefinitionText(qs(text)); });
}

void GuiContentSink::setPageLabel(const std::string& text) {
    callOnGui(&frame_, [&] { frame_.contentPanel()->setPageLabel(qs(text)); });
}

void GuiContentSink::setPreviousEnabled(bool enabled) {
    callOnGui(&frame_, [&] { frame_.contentPanel()->setPreviousEnabled(enabled); });
}

void GuiContentSink::setNextEnabled(bool enabled) {
    callOnGui(&frame_, [&] { frame_.contentPanel()->setNextEnabled(enabled); });
}

void GuiContentSink::setCaptionText(const std::string& text) {
    callOnGui(&frame_, [&] { frame_.SetCaptionText(qs(text)); });
}

void GuiContentSink::appendLogLine(const std::string& text) {
    callOnGui(&frame_, [&] { frame_.AppendLogLine(qs(text)); });
}

void GuiContentSink::replaceLastLogLine(const std::string& text) {
    callOnGui(&frame_, [&] { frame_.ReplaceLastLogLine(qs(text)); });
}

void GuiContentSink::writeLogFileLine(const std::string& text) {
    callOnGui(&frame_, [&] { frame_.WriteLogFileLine(qs(text)); });
}

void GuiContentSink::showProgress(bool show) {
    callOnGui(&frame_, [&] { frame_.ShowProgress(show); });
}

// --- RecoveryHost ---------------------------------------------------------------

void GuiRecoveryHost::appendLogLine(const std::string& text) {
    callOnGui(&frame_, [&] { frame_.AppendLogLine(qs(text)); });
}

void GuiRecoveryHost::clearPanels() {
    callOnGui(&frame_, [&] { frame_.ClearPanels(); });
}

void GuiRecoveryHost::emptyTree() {
    callOnGui(&frame_, [&] { frame_.tree()->deleteAll(); });
}

void GuiRecoveryHost::hideProgress() {
    callOnGui(&frame_, [&] { frame_.ShowProgress(false); });
}

void GuiRecoveryHost::setCaptionText(const std::string& text) {
    callOnGui(&frame_, [&] { frame_.SetCaptionText(qs(text)); });
}

void GuiRecoveryHost::information(const std::string& text) {
    callOnGui(&frame_, [&] { frame_.prompter().information(&frame_, qs(text)); });
}

}  // namespace pw::ui
