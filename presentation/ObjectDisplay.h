#pragma once
// What the content panel shows for a selection in the object tree: the rows
// of a table (through the RecordPager), the definition text of a view,
// procedure, function, trigger, default or constraint, or the ALTER TABLE
// script of a key. Also the part of a recovery run that builds the tree and
// reads the definitions once the catalog is loaded.
//
// The window calls resetPaging on its own thread, then one of the other
// DisplayController operations on a background thread; each ends by
// clearing isRunning and hiding the progress bar, whichever way it ends.

#include <string>
#include <vector>

#include "app/RunContext.h"
#include "presentation/ContentSink.h"
#include "presentation/DisplayController.h"
#include "presentation/EngineHolder.h"
#include "presentation/ObjectTreeBuilder.h"
#include "presentation/RecordPager.h"
#include "presentation/TreeSink.h"

namespace pw {

constexpr const char* kScanningCompleted = "Scanning process completed.";

// The type codes whose objects have a definition text to show.
bool hasDefinitionText(const std::string& typeCode);

class ObjectDisplay : public DisplayController {
public:
    ObjectDisplay(RunContext& context, EngineHolder& engine, TreeSink& tree, ContentSink& content);

    // --- The recovery run (worker thread) --------------------------------
    // A new run: forgets the tree handles, the list columns and the paging
    // state of the previous one.
    void resetForRun();
    // Builds the folders under `databaseName` and places every object;
    // false when no object could be placed.
    bool buildObjectTree(const std::string& databaseName);
    // Sorts "User Tables", redraws, and reads the load-time definitions.
    void finishObjectTree();

    // --- DisplayController ------------------------------------------------
    void resetPaging() override;
    void displaySelectedObject(TreeItem item) override;
    void showPreviousRecords() override;
    void showNextRecords() override;

    // The display thread's body; 1 after a complete display, 0 after an
    // early exit.
    int DisplaySelectedObject(TreeItem item);

    ObjectTreeBuilder& treeBuilder() { return tree_; }
    RecordPager& pager() { return pager_; }
    // List columns set up for the table shown last.
    int listedColumnCount() const { return listedColumns_; }

private:
    void endQuietly();
    void showText(const std::string& text);
    void finishDisplay(const std::string& nodeText);
    // The definition display for a selection that gave no table layout.
    void showDefinition(const std::string& nodeText, const std::string& parentText, TreeItem parent);
    std::string keyScriptFor(TreeItem item, TreeItem parent, const std::string& nodeText, bool primary);
    // "U " or "S " for the table node `table` (by its folder); empty otherwise.
    std::string tableTypeOf(TreeItem table) const;
    const std::vector<DefinitionRow>& loadTimeDefinitions() const;
    std::string definitionText(const std::string& objectIdText);

    RunContext& context_;
    EngineHolder& engine_;
    TreeSink& treeSink_;
    ContentSink& content_;
    ObjectTreeBuilder tree_;
    RecordPager pager_;
    int listedColumns_ = 0;
};

}  // namespace pw
