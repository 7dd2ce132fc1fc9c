#pragma once
// In-memory stand-ins for the object tree and the content panel, and a
// catalog over a tiny empty data file whose lists the tests fill by hand.

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/RunContext.h"
#include "catalog/Database.h"
#include "presentation/ContentSink.h"
#include "presentation/TreeSink.h"
#include "storage/DatabaseFile.h"
#include "tests/TestSupport.h"
#include "tools/fixtures/DatabaseImage.h"

namespace pw::test {

class FakeTreeSink : public TreeSink {
public:
    struct Node {
        std::string text;
        TreeItem parent = kNoTreeItem;
        std::vector<TreeItem> children;
        int64_t data = 0;
        bool bold = false;
    };

    TreeItem insertItem(TreeItem parent, const std::string& text, bool asFirstChild) override {
        if (parent != kNoTreeItem && !nodes.count(parent)) return kNoTreeItem;
        TreeItem item = nextId++;
        nodes[item].text = text;
        nodes[item].parent = parent;
        std::vector<TreeItem>& siblings = parent == kNoTreeItem ? topLevel : nodes[parent].children;
        if (asFirstChild)
            siblings.insert(siblings.begin(), item);
        else
            siblings.push_back(item);
        return item;
    }
    void deleteAll() override {
        nodes.clear();
        topLevel.clear();
        selected = kNoTreeItem;
    }
    std::string itemText(TreeItem item) const override {
        auto found = nodes.find(item);
        return found == nodes.end() ? std::string() : found->second.text;
    }
    TreeItem parentOf(TreeItem item) const override {
        auto found = nodes.find(item);
        return found == nodes.end() ? kNoTreeItem : found->second.parent;
    }
    TreeItem firstChild(TreeItem item) const override {
        const std::vector<TreeItem>& list = childrenOf(item);
        return list.empty() ? kNoTreeItem : list.front();
    }
    TreeItem nextSibling(TreeItem item) const override {
        const std::vector<TreeItem>& list = childrenOf(parentOf(item));
        auto at = std::find(list.begin(), list.end(), item);
        return at == list.end() || at + 1 == list.end() ? kNoTreeItem : *(at + 1);
    }
    void setItemData(TreeItem item, int64_t data) override {
        if (nodes.count(item)) nodes[item].data = data;
    }
    int64_t itemData(TreeItem item) const override {
        auto found = nodes.find(item);
        return found == nodes.end() ? 0 : found->second.data;
    }
    void setBold(TreeItem item, bool bold) override {
        if (nodes.count(item)) nodes[item].bold = bold;
    }
    void sortChildren(TreeItem item) override {
        if (!nodes.count(item)) return;
        std::vector<TreeItem>& list = nodes[item].children;
        std::stable_sort(list.begin(), list.end(),
                         [&](TreeItem a, TreeItem b) { return nodes[a].text < nodes[b].text; });
    }
    TreeItem selectedItem() const override { return selected; }
    void selectItem(TreeItem item) override { selected = item; }
    void redraw() override { ++redraws; }

    const std::vector<TreeItem>& childrenOf(TreeItem item) const {
        static const std::vector<TreeItem> kNone;
        if (item == kNoTreeItem) return topLevel;
        auto found = nodes.find(item);
        return found == nodes.end() ? kNone : found->second.children;
    }
    std::vector<std::string> childTexts(TreeItem item) const {
        std::vector<std::string> texts;
        for (TreeItem child : childrenOf(item)) texts.push_back(itemText(child));
        return texts;
    }
    TreeItem childNamed(TreeItem item, const std::string& text) const {
        for (TreeItem child : childrenOf(item))
            if (itemText(child) == text) return child;
        return kNoTreeItem;
    }
    // The item at a path of texts from the top level.
    TreeItem find(const std::vector<std::string>& path) const {
        TreeItem item = kNoTreeItem;
        for (const std::string& text : path) {
            item = childNamed(item, text);
            if (item == kNoTreeItem) return kNoTreeItem;
        }
        return item;
    }

    std::map<TreeItem, Node> nodes;
    std::vector<TreeItem> topLevel;
    TreeItem selected = kNoTreeItem;
    TreeItem nextId = 1;
    int redraws = 0;
};

class FakeContentSink : public ContentSink {
public:
    void deleteAllRows() override { rows.clear(); }
    void insertColumn(int index, const std::string& heading, int widthPixels) override {
        index = std::clamp(index, 0, int(columns.size()));
        columns.insert(columns.begin() + index, heading);
        widths.insert(widths.begin() + index, widthPixels);
    }
    void deleteColumn(int index) override {
        if (index < 0 || index >= int(columns.size())) return;
        columns.erase(columns.begin() + index);
        widths.erase(widths.begin() + index);
    }
    int columnCount() const override { return int(columns.size()); }
    int appendRow(const std::vector<std::string>& values) override {
        std::vector<std::string> row(values.begin(),
                                     values.begin() + std::min(values.size(), columns.size()));
        rows.push_back(std::move(row));
        return int(rows.size()) - 1;
    }
    void removeRow(int index) override {
        if (index >= 0 && index < int(rows.size())) rows.erase(rows.begin() + index);
    }
    int rowCount() const override { return int(rows.size()); }
    void repaintList() override { ++repaints; }
    void showRecordList(bool show) override { listShown = show; }
    void setDefinitionText(const std::string& text) override { definition = text; }
    void setPageLabel(const std::string& text) override { pageLabel = text; }
    void setPreviousEnabled(bool enabled) override { previousEnabled = enabled; }
    void setNextEnabled(bool enabled) override { nextEnabled = enabled; }
    void setCaptionText(const std::string& text) override { caption = text; }
    void appendLogLine(const std::string& text) override { logPane.push_back(text); logFile.push_back(text); }
    void replaceLastLogLine(const std::string& text) override {
        if (logPane.empty())
            logPane.push_back(text);
        else
            logPane.back() = text;
    }
    void writeLogFileLine(const std::string& text) override { logFile.push_back(text); }
    void showProgress(bool show) override { progressShown = show; }

    // The list starts with its empty-headed filler column.
    std::vector<std::string> columns{std::string()};
    std::vector<int> widths{0};
    std::vector<std::vector<std::string>> rows;
    std::string definition, pageLabel, caption;
    std::vector<std::string> logPane, logFile;
    bool listShown = false, previousEnabled = true, nextEnabled = true, progressShown = true;
    int repaints = 0;
};

// A catalog loaded from a tiny data file that holds no system tables; the
// tests fill its lists by hand and call reindex().
struct HandMadeCatalog {
    explicit HandMadeCatalog(RunContext& context) {
        fixtures::DatabaseImage image(24);
        image.addStandardPages("Hand", 661, 872468488);
        image.writeTo(folder.file("hand.mdf"));
        file = std::make_unique<DatabaseFile>(folder.file("hand.mdf").string(), false, context);
        database = std::make_unique<Database>(*file);
    }
    TempDir folder;
    std::unique_ptr<DatabaseFile> file;
    std::unique_ptr<Database> database;
};

}  // namespace pw::test
