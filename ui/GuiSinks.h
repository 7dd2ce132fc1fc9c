#pragma once
// The main window as background threads reach it: each adapter carries its
// calls out on the window's thread while the calling thread waits (a call
// made on the window's own thread runs at once).

#include "app/MessageSink.h"
#include "presentation/ContentSink.h"
#include "presentation/TreeSink.h"
#include "ui/RecoveryWorker.h"

namespace pw::ui {

class CMainFrame;
class CXHtmlTree;

class GuiMessageSink : public MessageSink {
public:
    explicit GuiMessageSink(CMainFrame& frame) : frame_(frame) {}
    void setProgressRange(uint32_t lower, uint32_t upper) override;
    void setProgressPos(uint32_t position) override;
    void setStatusText(const std::string& text) override;
    void recoveryError(const std::string& text) override;
    void addLogLine(const std::string& text) override;

private:
    CMainFrame& frame_;
};

class GuiTreeSink : public TreeSink {
public:
    GuiTreeSink(CMainFrame& frame, CXHtmlTree& tree) : frame_(frame), tree_(tree) {}
    TreeItem insertItem(TreeItem parent, const std::string& text, bool asFirstChild) override;
    void deleteAll() override;
    std::string itemText(TreeItem item) const override;
    TreeItem parentOf(TreeItem item) const override;
    TreeItem firstChild(TreeItem item) const override;
    TreeItem nextSibling(TreeItem item) const override;
    void setItemData(TreeItem item, int64_t data) override;
    int64_t itemData(TreeItem item) const override;
    void setBold(TreeItem item, bool bold) override;
    void sortChildren(TreeItem item) override;
    TreeItem selectedItem() const override;
    void selectItem(TreeItem item) override;
    void redraw() override;

private:
    CMainFrame& frame_;
    CXHtmlTree& tree_;
};

class GuiContentSink : public ContentSink {
public:
    explicit GuiContentSink(CMainFrame& frame) : frame_(frame) {}
    void deleteAllRows() override;
    void insertColumn(int index, const std::string& heading, int widthPixels) override;
    void deleteColumn(int index) override;
    int columnCount() const override;
    int appendRow(const std::vector<std::string>& values) override;
    void removeRow(int index) override;
    int rowCount() const override;
    void repaintList() override;
    void showRecordList(bool show) override;
    void setDefinitionText(const std::string& text) override;
    void setPageLabel(const std::string& text) override;
    void setPreviousEnabled(bool enabled) override;
    void setNextEnabled(bool enabled) override;
    void setCaptionText(const std::string& text) override;
    void appendLogLine(const std::string& text) override;
    void replaceLastLogLine(const std::string& text) override;
    void writeLogFileLine(const std::string& text) override;
    void showProgress(bool show) override;

private:
    CMainFrame& frame_;
};

class GuiRecoveryHost : public RecoveryHost {
public:
    explicit GuiRecoveryHost(CMainFrame& frame) : frame_(frame) {}
    void appendLogLine(const std::string& text) override;
    void clearPanels() override;
    void emptyTree() override;
    void hideProgress() override;
    void setCaptionText(const std::string& text) override;
    void information(const std::string& text) override;

private:
    CMainFrame& frame_;
};

}  // namespace pw::ui
