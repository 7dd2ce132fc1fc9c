#include "presentation/CheckTreeModel.h"

#include <algorithm>

namespace pw {

CheckTreeModel::Node* CheckTreeModel::find(NodeId node) {
    auto it = nodes_.find(node);
    return it == nodes_.end() ? nullptr : &it->second;
}

const CheckTreeModel::Node* CheckTreeModel::find(NodeId node) const {
    auto it = nodes_.find(node);
    return it == nodes_.end() ? nullptr : &it->second;
}

CheckTreeModel::NodeId CheckTreeModel::insert(NodeId parent) {
    if (parent != kNone && !find(parent)) return kNone;
    NodeId id = nextId_++;
    Node node;
    node.parent = parent;
    nodes_.emplace(id, std::move(node));
    if (parent == kNone) {
        topLevel_.push_back(id);
        return id;
    }
    find(parent)->children.push_back(id);
    for (NodeId up = parent; up != kNone;) {
        Node* ancestor = find(up);
        ancestor->descendants += 1;
        up = ancestor->parent;
    }
    // A new unchecked item may turn a fully checked ancestor to partly checked.
    if (smartChecks) walkAncestors(id, 0);
    return id;
}

void CheckTreeModel::clear() {
    nodes_.clear();
    topLevel_.clear();
}

void CheckTreeModel::walkAncestors(NodeId node, int64_t delta) {
    const Node* start = find(node);
    if (!start) return;
    for (NodeId up = start->parent; up != kNone;) {
        Node* ancestor = find(up);
        ancestor->checkedDescendants = std::max<int64_t>(0, ancestor->checkedDescendants + delta);
        int64_t enabledBelow = ancestor->descendants - ancestor->disabledDescendants;
        if (enabledBelow > 0) {
            bool nowChecked = ancestor->checkedDescendants == enabledBelow;
            if (nowChecked != ancestor->checked) {
                ancestor->checked = nowChecked;
                // Only enabled items count as checked descendants further up.
                if (ancestor->enabled) delta += nowChecked ? 1 : -1;
            }
        }
        up = ancestor->parent;
    }
}

void CheckTreeModel::recount(NodeId node) {
    // Post-order over the subtree: children are counted before their parent.
    std::vector<NodeId> order = subtree(node);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Node* current = find(*it);
        current->descendants = 0;
        current->disabledDescendants = 0;
        current->checkedDescendants = 0;
        for (NodeId childId : current->children) {
            const Node* child = find(childId);
            current->descendants += 1 + child->descendants;
            current->disabledDescendants += (child->enabled ? 0 : 1) + child->disabledDescendants;
            current->checkedDescendants += (child->enabled && child->checked ? 1 : 0) + child->checkedDescendants;
        }
    }
}

int64_t CheckTreeModel::setBelow(NodeId node, bool checked) {
    Node* top = find(node);
    int64_t before = top->checkedDescendants;
    for (NodeId id : subtree(node)) {
        if (id == node) continue;
        Node* item = find(id);
        if (item->enabled && !item->separator) item->checked = checked;
    }
    recount(node);
    return top->checkedDescendants - before;
}

bool CheckTreeModel::setChecked(NodeId node, bool checked) {
    Node* item = find(node);
    if (!item || !item->enabled || item->separator || item->checked == checked) return false;
    item->checked = checked;
    if (!smartChecks) return true;
    int64_t delta = (checked ? 1 : -1) + setBelow(node, checked);
    walkAncestors(node, delta);
    return true;
}

bool CheckTreeModel::toggle(NodeId node) {
    const Node* item = find(node);
    return item && setChecked(node, !item->checked);
}

void CheckTreeModel::setEnabled(NodeId node, bool enabled) {
    Node* item = find(node);
    if (!item || item->enabled == enabled) return;
    item->enabled = enabled;
    for (NodeId up = item->parent; up != kNone;) {
        Node* ancestor = find(up);
        ancestor->disabledDescendants += enabled ? -1 : 1;
        up = ancestor->parent;
    }
    int64_t delta = item->checked ? (enabled ? 1 : -1) : 0;
    if (smartChecks) walkAncestors(node, delta);
}

void CheckTreeModel::setSeparator(NodeId node, bool separator) {
    if (Node* item = find(node)) item->separator = separator;
}

bool CheckTreeModel::isChecked(NodeId node) const {
    const Node* item = find(node);
    return item && item->checked;
}

bool CheckTreeModel::isEnabled(NodeId node) const {
    const Node* item = find(node);
    return item && item->enabled;
}

CheckTreeModel::NodeId CheckTreeModel::parentOf(NodeId node) const {
    const Node* item = find(node);
    return item ? item->parent : kNone;
}

const std::vector<CheckTreeModel::NodeId>& CheckTreeModel::childrenOf(NodeId node) const {
    static const std::vector<NodeId> kEmpty;
    if (node == kNone) return topLevel_;
    const Node* item = find(node);
    return item ? item->children : kEmpty;
}

int64_t CheckTreeModel::descendantCount(NodeId node) const {
    const Node* item = find(node);
    return item ? item->descendants : 0;
}

int64_t CheckTreeModel::checkedDescendantCount(NodeId node) const {
    const Node* item = find(node);
    return item ? item->checkedDescendants : 0;
}

int64_t CheckTreeModel::disabledDescendantCount(NodeId node) const {
    const Node* item = find(node);
    return item ? item->disabledDescendants : 0;
}

CheckState CheckTreeModel::displayState(NodeId node) const {
    const Node* item = find(node);
    if (!item) return CheckState::Unchecked;
    if (smartChecks && item->descendants > 0) {
        if (item->checkedDescendants == 0) return CheckState::Unchecked;
        if (item->checkedDescendants == item->descendants - item->disabledDescendants)
            return CheckState::Checked;
        return CheckState::Mixed;
    }
    return item->checked ? CheckState::Checked : CheckState::Unchecked;
}

int CheckTreeModel::stateImageIndex(NodeId node, bool hot) const {
    const Node* item = find(node);
    if (!item) return 0;
    int index = 1;
    switch (displayState(node)) {
        case CheckState::Unchecked: index = 1; break;
        case CheckState::Checked: index = 2; break;
        case CheckState::Mixed: index = 3; break;
    }
    if (!item->enabled) index += 4;
    if (hot) index += 8;
    return index;
}

std::vector<CheckTreeModel::NodeId> CheckTreeModel::subtree(NodeId node) const {
    std::vector<NodeId> result;
    if (!find(node)) return result;
    std::vector<NodeId> stack{node};
    while (!stack.empty()) {
        NodeId id = stack.back();
        stack.pop_back();
        result.push_back(id);
        const auto& children = find(id)->children;
        for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back(*it);
    }
    return result;
}

std::vector<CheckTreeModel::NodeId> CheckTreeModel::ancestors(NodeId node) const {
    std::vector<NodeId> result;
    const Node* item = find(node);
    for (NodeId up = item ? item->parent : kNone; up != kNone; up = find(up)->parent)
        result.push_back(up);
    return result;
}

}  // namespace pw
