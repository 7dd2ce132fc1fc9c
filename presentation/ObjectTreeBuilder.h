#pragma once
// The object tree of a loaded database: a root named after the database,
// fixed folders (views, programmability, tables) and one node per catalog
// object sorted into the folder of its kind. Table nodes carry a "Columns"
// child from the start; their column nodes and key folders are filled the
// first time the table is selected.
//
// Every node goes in as the first child of its parent, so unsorted folders
// show their nodes in reverse insertion order. The builder reaches the tree
// only through its TreeSink; the folder handles it keeps are the ones the
// display code compares selections against.

#include <string>
#include <vector>

#include "app/RunContext.h"
#include "catalog/ColumnDescriptor.h"
#include "catalog/Database.h"
#include "catalog/DefinitionRow.h"
#include "presentation/ContentSink.h"
#include "presentation/TreeSink.h"

namespace pw {

// Node texts the selection logic compares against.
namespace treeText {
constexpr const char* kDefaultRoot = "RepairDataBase";
constexpr const char* kViews = "Views";
constexpr const char* kProgrammability = "Programmability";
constexpr const char* kTables = "Tables";
constexpr const char* kTriggers = "Triggers";
constexpr const char* kDefault = "Default";
constexpr const char* kStoredProcedures = "Store Procedure";
constexpr const char* kFunctions = "Function";
constexpr const char* kSystemTables = "System Tables";
constexpr const char* kUserTables = "User Tables";
constexpr const char* kColumns = "Columns";
constexpr const char* kPrimaryKey = "PrimaryKey";
constexpr const char* kConstraint = "Constraint";
constexpr const char* kUnique = "Unique";
constexpr const char* kForeignKey = "ForeignKey";
constexpr const char* kCreatingTree = "Creating Tree.........";
constexpr const char* kTreeDone = "Process done.........";
}  // namespace treeText

// Item data of an object node and of a check or default constraint node.
constexpr int64_t kObjectItemData = 1;

struct TreeFolders {
    TreeItem root = kNoTreeItem;
    TreeItem tables = kNoTreeItem;
    TreeItem userTables = kNoTreeItem;
    TreeItem systemTables = kNoTreeItem;
    TreeItem programmability = kNoTreeItem;
    TreeItem functions = kNoTreeItem;
    TreeItem storedProcedures = kNoTreeItem;
    TreeItem views = kNoTreeItem;
    TreeItem defaults = kNoTreeItem;
    TreeItem triggers = kNoTreeItem;
};

// The text of a column node: name, two spaces, type text, then
// "[Primary Key]" or "[Unique]", then the foreign-key reference.
std::string columnNodeText(const ColumnDescriptor& column);

// The name of the user table ("U ") whose catalog row count is the largest
// (the first such table on a tie); empty when there is no user table.
std::string userTableWithMostRows(const Database& database);

class ObjectTreeBuilder {
public:
    ObjectTreeBuilder(RunContext& context, TreeSink& tree, ContentSink& content);

    // Forgets every handle (the tree was emptied).
    void reset();

    // Inserts the root (`databaseName`, or "RepairDataBase" when empty) and
    // the nine folders, each with item data 0, and keeps their handles.
    void CreateTreeFolders(const std::string& databaseName);

    // Places every named object of `database` under its folder, makes table
    // nodes with rows bold (each table is selected for that, with
    // `definitions` for its computed columns) and sorts the procedure and
    // function folders. Stop ends the walk; what was placed stays. False
    // when no object with a name was met.
    bool FillObjectTree(Database& database, const std::vector<DefinitionRow>& definitions);

    // Sorts "User Tables" by text (the end of a successful build).
    void sortUserTables();

    // First selection of the table node `item`: empties the record list
    // (ClearContentPanel with `listedColumnCount`, the list columns of the
    // previous display), selects the table and fills its key folders,
    // column nodes and constraint nodes. False, with nothing done, when
    // `item` is not an unpopulated table node.
    bool PopulateTableNode(Database& database, TreeItem item, const std::vector<DefinitionRow>& definitions,
                           int listedColumnCount);

    const TreeFolders& folders() const { return folders_; }
    // The "PrimaryKey" folder of the table populated last.
    TreeItem primaryKeyFolder() const { return primaryKeyFolder_; }

private:
    TreeItem insertFirst(TreeItem parent, const std::string& text, int64_t itemData);
    TreeItem folderForType(const std::string& type) const;
    // True when `item` sits under "User Tables" or "System Tables" and its
    // first child is still "Columns"; `type` gets "U " or "S ".
    bool isUnpopulatedTable(TreeItem item, std::string& type) const;

    RunContext& context_;
    TreeSink& tree_;
    ContentSink& content_;
    TreeFolders folders_;
    TreeItem primaryKeyFolder_ = kNoTreeItem;
};

}  // namespace pw
