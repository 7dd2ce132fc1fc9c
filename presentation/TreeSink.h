#pragma once
// The object tree as the engine-side code sees it (tree building, table
// population, the display threads). The desktop application implements it
// over its check-box tree; each call runs on the user-interface thread while
// the calling thread waits. Tests implement it in memory.
//
// Items are opaque handles; kNoTreeItem stands for "none" (and, as a parent,
// for the top level). A handle of a deleted item is simply not found: reads
// give empty results and writes do nothing. Texts are UTF-8.

#include <cstdint>
#include <string>

namespace pw {

using TreeItem = uint64_t;
constexpr TreeItem kNoTreeItem = 0;

class TreeSink {
public:
    virtual ~TreeSink() = default;

    // Inserts an unchecked, enabled item as the first or the last child of
    // `parent`; returns its handle, or kNoTreeItem when `parent` is unknown.
    virtual TreeItem insertItem(TreeItem parent, const std::string& text, bool asFirstChild) = 0;
    // Removes every item.
    virtual void deleteAll() = 0;

    virtual std::string itemText(TreeItem item) const = 0;
    virtual TreeItem parentOf(TreeItem item) const = 0;
    virtual TreeItem firstChild(TreeItem item) const = 0;
    virtual TreeItem nextSibling(TreeItem item) const = 0;

    // The integer each item carries for its owner (0 when never set).
    virtual void setItemData(TreeItem item, int64_t data) = 0;
    virtual int64_t itemData(TreeItem item) const = 0;

    virtual void setBold(TreeItem item, bool bold) = 0;
    // Sorts the children of `item` by text, one level only.
    virtual void sortChildren(TreeItem item) = 0;

    virtual TreeItem selectedItem() const = 0;
    // Selects and highlights the item (used to bring back the selection of
    // the item being displayed).
    virtual void selectItem(TreeItem item) = 0;
    // Repaints the tree after a batch of changes.
    virtual void redraw() = 0;
};

}  // namespace pw
