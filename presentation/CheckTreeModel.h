#pragma once
// The check-box bookkeeping of the object tree: every item's own check
// state, whether it is enabled, and the counts of descendants, checked
// descendants and disabled descendants that give a parent its summary box
// (unchecked, checked or tri-state). The tree window mirrors this model;
// nothing here knows about windows, so the counting is testable alone.
//
// Counting rules (kept as invariants by every operation):
//   descendantCount         items below, at all levels;
//   disabledDescendantCount disabled items below;
//   checkedDescendantCount  enabled, checked items below.
// Disabled items never count as checked, so they are left out of a parent's
// summary: a folder whose enabled items are all checked shows checked.

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace pw {

enum class CheckState { Unchecked, Checked, Mixed };

class CheckTreeModel {
public:
    using NodeId = uint64_t;
    static constexpr NodeId kNone = 0;

    // A parent's box summarises its descendants (on by default); without
    // it every box shows the item's own state.
    bool smartChecks = true;

    // Adds an unchecked, enabled item under `parent` (kNone: top level).
    // Returns kNone when `parent` is unknown. Ids are never reused.
    NodeId insert(NodeId parent);
    // Forgets every item.
    void clear();

    // The check toggle of a click or the space bar. Does nothing for an
    // unknown, disabled or separator item, or when the state does not
    // change. With smart checks every enabled item below takes the same
    // state and the ancestors' counts and own states follow (the delta walk).
    // Returns whether the item's state changed.
    bool setChecked(NodeId node, bool checked);
    bool toggle(NodeId node);
    void setEnabled(NodeId node, bool enabled);
    void setSeparator(NodeId node, bool separator);

    bool contains(NodeId node) const { return nodes_.count(node) != 0; }
    bool isChecked(NodeId node) const;
    bool isEnabled(NodeId node) const;
    NodeId parentOf(NodeId node) const;
    const std::vector<NodeId>& childrenOf(NodeId node) const;
    int64_t descendantCount(NodeId node) const;
    int64_t checkedDescendantCount(NodeId node) const;
    int64_t disabledDescendantCount(NodeId node) const;

    // What the item's box shows.
    CheckState displayState(NodeId node) const;
    // Index in the check-box image strip: 1 unchecked, 2 checked,
    // 3 tri-state, plus 4 when disabled, plus 8 while hot; 0 for none.
    int stateImageIndex(NodeId node, bool hot) const;

    // The item itself and every item below it (pre-order).
    std::vector<NodeId> subtree(NodeId node) const;
    // Parent, grandparent, … up to the top level.
    std::vector<NodeId> ancestors(NodeId node) const;
    size_t size() const { return nodes_.size(); }

private:
    struct Node {
        NodeId parent = kNone;
        std::vector<NodeId> children;
        bool checked = false;
        bool enabled = true;
        bool separator = false;
        int64_t descendants = 0;
        int64_t checkedDescendants = 0;
        int64_t disabledDescendants = 0;
    };

    Node* find(NodeId node);
    const Node* find(NodeId node) const;
    // Adds `delta` checked descendants to every ancestor of `node`, updating
    // each ancestor's own state and passing its change on.
    void walkAncestors(NodeId node, int64_t delta);
    // Sets every enabled item below `node` to `checked` and recounts the
    // subtree; returns the change in checked, enabled items below `node`.
    int64_t setBelow(NodeId node, bool checked);
    void recount(NodeId node);

    std::unordered_map<NodeId, Node> nodes_;
    std::vector<NodeId> topLevel_;
    NodeId nextId_ = 1;
};

}  // namespace pw
