#include "presentation/CheckTreeModel.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using NodeId = CheckTreeModel::NodeId;

// root
//  ├─ tables
//  │   ├─ a
//  │   └─ b
//  │       └─ b1
//  └─ views
struct SampleTree {
    CheckTreeModel model;
    NodeId root = model.insert(CheckTreeModel::kNone);
    NodeId tables = model.insert(root);
    NodeId a = model.insert(tables);
    NodeId b = model.insert(tables);
    NodeId b1 = model.insert(b);
    NodeId views = model.insert(root);
};

TEST(CheckTreeModel, InsertCountsDescendantsOfEveryAncestor) {
    SampleTree t;
    EXPECT_EQ(t.model.descendantCount(t.root), 5);
    EXPECT_EQ(t.model.descendantCount(t.tables), 3);
    EXPECT_EQ(t.model.descendantCount(t.b), 1);
    EXPECT_EQ(t.model.descendantCount(t.views), 0);
    EXPECT_EQ(t.model.parentOf(t.b1), t.b);
    EXPECT_EQ(t.model.ancestors(t.b1), (std::vector<NodeId>{t.b, t.tables, t.root}));
    EXPECT_EQ(t.model.insert(987654), CheckTreeModel::kNone);
    for (NodeId id : t.model.subtree(t.root)) {
        EXPECT_EQ(t.model.displayState(id), CheckState::Unchecked);
        EXPECT_EQ(t.model.stateImageIndex(id, false), 1);
    }
}

TEST(CheckTreeModel, CheckingAFolderChecksEverythingBelowIt) {
    SampleTree t;
    EXPECT_TRUE(t.model.setChecked(t.tables, true));
    for (NodeId id : {t.tables, t.a, t.b, t.b1}) EXPECT_TRUE(t.model.isChecked(id)) << id;
    EXPECT_EQ(t.model.checkedDescendantCount(t.tables), 3);
    EXPECT_EQ(t.model.displayState(t.tables), CheckState::Checked);
    // Root: tables and its three items are checked, views is not.
    EXPECT_EQ(t.model.checkedDescendantCount(t.root), 4);
    EXPECT_EQ(t.model.displayState(t.root), CheckState::Mixed);
    EXPECT_EQ(t.model.stateImageIndex(t.root, false), 3);
    EXPECT_FALSE(t.model.isChecked(t.root));

    // Checking the last unchecked item completes the root.
    t.model.setChecked(t.views, true);
    EXPECT_EQ(t.model.displayState(t.root), CheckState::Checked);
    EXPECT_TRUE(t.model.isChecked(t.root));
    EXPECT_FALSE(t.model.setChecked(t.views, true));  // no change, nothing done
}

TEST(CheckTreeModel, UncheckingOneChildMakesEveryAncestorTriState) {
    SampleTree t;
    t.model.setChecked(t.root, true);
    EXPECT_EQ(t.model.checkedDescendantCount(t.root), 5);
    t.model.setChecked(t.b1, false);
    EXPECT_EQ(t.model.displayState(t.b), CheckState::Unchecked);  // its only child is unchecked
    EXPECT_FALSE(t.model.isChecked(t.b));
    EXPECT_EQ(t.model.displayState(t.tables), CheckState::Mixed);
    EXPECT_EQ(t.model.displayState(t.root), CheckState::Mixed);
    EXPECT_EQ(t.model.checkedDescendantCount(t.tables), 1);  // a only
    EXPECT_EQ(t.model.checkedDescendantCount(t.root), 2);    // tables lost its own check: a, views

    // A tri-state folder's own state is unchecked: the toggle checks it and
    // everything below; the next toggle clears them all again.
    EXPECT_TRUE(t.model.toggle(t.root));
    EXPECT_EQ(t.model.checkedDescendantCount(t.root), 5);
    EXPECT_TRUE(t.model.toggle(t.root));
    for (NodeId id : t.model.subtree(t.root)) {
        EXPECT_FALSE(t.model.isChecked(id));
        EXPECT_EQ(t.model.checkedDescendantCount(id), 0);
    }
}

TEST(CheckTreeModel, DisabledItemsAreLeftOutOfTheSummary) {
    SampleTree t;
    t.model.setEnabled(t.views, false);
    EXPECT_EQ(t.model.disabledDescendantCount(t.root), 1);
    EXPECT_EQ(t.model.stateImageIndex(t.views, false), 5);
    EXPECT_EQ(t.model.stateImageIndex(t.views, true), 13);
    EXPECT_FALSE(t.model.setChecked(t.views, true));  // a disabled item is never toggled

    // Checking tables checks every enabled item under the root.
    t.model.setChecked(t.tables, true);
    EXPECT_EQ(t.model.displayState(t.root), CheckState::Checked);
    EXPECT_TRUE(t.model.isChecked(t.root));
    // Checking the root itself leaves the disabled item unchecked.
    t.model.setChecked(t.root, false);
    t.model.setChecked(t.root, true);
    EXPECT_FALSE(t.model.isChecked(t.views));
    EXPECT_EQ(t.model.displayState(t.root), CheckState::Checked);

    // Enabling it again brings it into the summary.
    t.model.setEnabled(t.views, true);
    EXPECT_EQ(t.model.displayState(t.root), CheckState::Mixed);
    EXPECT_FALSE(t.model.isChecked(t.root));
}

TEST(CheckTreeModel, NewUncheckedItemTurnsACheckedFolderTriState) {
    SampleTree t;
    t.model.setChecked(t.tables, true);
    NodeId c = t.model.insert(t.tables);
    EXPECT_EQ(t.model.displayState(t.tables), CheckState::Mixed);
    EXPECT_FALSE(t.model.isChecked(t.tables));
    t.model.setChecked(c, true);
    EXPECT_EQ(t.model.displayState(t.tables), CheckState::Checked);
    EXPECT_TRUE(t.model.isChecked(t.tables));
}

TEST(CheckTreeModel, WithoutSmartChecksEveryBoxShowsItsOwnState) {
    CheckTreeModel model;
    model.smartChecks = false;
    NodeId folder = model.insert(CheckTreeModel::kNone);
    NodeId child = model.insert(folder);
    model.setChecked(child, true);
    EXPECT_EQ(model.displayState(folder), CheckState::Unchecked);
    model.setChecked(folder, true);
    EXPECT_EQ(model.displayState(folder), CheckState::Checked);
    EXPECT_EQ(model.stateImageIndex(folder, true), 10);
}

TEST(CheckTreeModel, ClearForgetsEveryItemAndNeverReusesIds) {
    SampleTree t;
    t.model.clear();
    EXPECT_EQ(t.model.size(), 0u);
    EXPECT_FALSE(t.model.contains(t.root));
    EXPECT_TRUE(t.model.childrenOf(CheckTreeModel::kNone).empty());
    NodeId fresh = t.model.insert(CheckTreeModel::kNone);
    EXPECT_GT(fresh, t.views);
    EXPECT_FALSE(t.model.setChecked(t.a, true));
}

}  // namespace
}  // namespace pw
