#include "presentation/ObjectTreeBuilder.h"

#include <algorithm>
#include <limits>

#include "presentation/ContentPanel.h"

namespace pw {
namespace {

constexpr int64_t kFolderItemData = 0;
// Progress moves in at most about this many steps.
constexpr size_t kProgressSteps = 100;

uint32_t clampToU32(size_t value) {
    return value > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max() : uint32_t(value);
}

bool isTableType(const std::string& type) { return type == "U " || type == "S "; }

}  // namespace

std::string columnNodeText(const ColumnDescriptor& column) {
    std::string text = column.name + "  " + column.typeText;
    if (column.primaryKeyColumn)
        text += "[Primary Key]";
    else if (column.uniqueIndexColumn || column.thirdKeyFlag)
        text += "[Unique]";
    if (column.foreignKeyColumn)
        text += "  (foreign key) references " + column.referencedTable + "( " + column.referencedColumn + ")";
    return text;
}

std::string userTableWithMostRows(const Database& database) {
    std::string best;
    int64_t bestRows = -2;
    for (const CatalogObject& object : database.objects) {
        if (object.type != "U " || object.name.empty()) continue;
        const int64_t rows = database.catalogRowCount(object.objectId);
        if (rows > bestRows) {
            bestRows = rows;
            best = object.name;
        }
    }
    return best;
}

ObjectTreeBuilder::ObjectTreeBuilder(RunContext& context, TreeSink& tree, ContentSink& content)
    : context_(context), tree_(tree), content_(content) {}

void ObjectTreeBuilder::reset() {
    folders_ = TreeFolders();
    primaryKeyFolder_ = kNoTreeItem;
}

TreeItem ObjectTreeBuilder::insertFirst(TreeItem parent, const std::string& text, int64_t itemData) {
    TreeItem item = tree_.insertItem(parent, text, true);
    if (item != kNoTreeItem && itemData != 0) tree_.setItemData(item, itemData);
    return item;
}

void ObjectTreeBuilder::CreateTreeFolders(const std::string& databaseName) {
    reset();
    folders_.root = tree_.insertItem(kNoTreeItem, databaseName.empty() ? treeText::kDefaultRoot : databaseName, false);
    folders_.tables = insertFirst(folders_.root, treeText::kTables, kFolderItemData);
    folders_.userTables = insertFirst(folders_.tables, treeText::kUserTables, kFolderItemData);
    folders_.systemTables = insertFirst(folders_.tables, treeText::kSystemTables, kFolderItemData);
    folders_.programmability = insertFirst(folders_.root, treeText::kProgrammability, kFolderItemData);
    folders_.functions = insertFirst(folders_.programmability, treeText::kFunctions, kFolderItemData);
    folders_.storedProcedures = insertFirst(folders_.programmability, treeText::kStoredProcedures, kFolderItemData);
    folders_.views = insertFirst(folders_.root, treeText::kViews, kFolderItemData);
    folders_.defaults = insertFirst(folders_.programmability, treeText::kDefault, kFolderItemData);
    folders_.triggers = insertFirst(folders_.programmability, treeText::kTriggers, kFolderItemData);
}

TreeItem ObjectTreeBuilder::folderForType(const std::string& type) const {
    if (type == "V ") return folders_.views;
    if (type == "FN" || type == "IF" || type == "TF") return folders_.functions;
    if (type == "P ") return folders_.storedProcedures;
    if (type == "TR") return folders_.triggers;
    if (type == "D ") return folders_.defaults;
    if (type == "U ") return folders_.userTables;
    if (type == "S ") return folders_.systemTables;
    return kNoTreeItem;
}

bool ObjectTreeBuilder::FillObjectTree(Database& database, const std::vector<DefinitionRow>& definitions) {
    const size_t count = database.objects.size();
    if (count == 0) return false;
    MessageSink& messages = context_.messages();
    messages.setProgressRange(0, clampToU32(count));
    content_.setCaptionText(treeText::kCreatingTree);
    content_.appendLogLine(treeText::kCreatingTree);
    messages.setProgressPos(0);

    const size_t progressStep = std::max<size_t>(1, (count + kProgressSteps - 1) / kProgressSteps);
    bool processed = false;
    for (size_t i = 0; i < count; ++i) {
        // Stop ends the build; what is placed stays.
        if (context_.stop()) break;
        // Copies: selecting a table below does not change the object list,
        // but the strings must outlive the selection either way.
        const std::string name = database.objects[i].name;
        const std::string type = database.objects[i].type;
        if (name.empty()) continue;
        processed = true;
        TreeItem folder = folderForType(type);
        if (folder != kNoTreeItem) {
            TreeItem node = insertFirst(folder, name, kObjectItemData);
            if (isTableType(type) && node != kNoTreeItem) {
                insertFirst(node, treeText::kColumns, kFolderItemData);
                database.rowLayout = database.selectObject(name, type, definitions);
                if (!database.rowLayout.empty() && !database.selectedDataPages.empty()) tree_.setBold(node, true);
            }
        }
        if (i % progressStep == 0) messages.setProgressPos(clampToU32(i));
    }

    tree_.sortChildren(folders_.storedProcedures);
    tree_.sortChildren(folders_.functions);
    content_.setCaptionText(treeText::kTreeDone);
    content_.appendLogLine(treeText::kTreeDone);
    messages.setProgressPos(clampToU32(count));
    return processed;
}

void ObjectTreeBuilder::sortUserTables() { tree_.sortChildren(folders_.userTables); }

bool ObjectTreeBuilder::isUnpopulatedTable(TreeItem item, std::string& type) const {
    if (item == kNoTreeItem) return false;
    TreeItem parent = tree_.parentOf(item);
    if (parent == kNoTreeItem) return false;
    if (parent == folders_.userTables)
        type = "U ";
    else if (parent == folders_.systemTables)
        type = "S ";
    else
        return false;
    TreeItem first = tree_.firstChild(item);
    return first != kNoTreeItem && tree_.itemText(first) == treeText::kColumns;
}

bool ObjectTreeBuilder::PopulateTableNode(Database& database, TreeItem item,
                                          const std::vector<DefinitionRow>& definitions, int listedColumnCount) {
    std::string type;
    if (!isUnpopulatedTable(item, type)) return false;
    const TreeItem columnsFolder = tree_.firstChild(item);

    database.selectedColumns.clear();
    ClearContentPanel(content_, listedColumnCount);
    database.rowLayout = database.selectObject(tree_.itemText(item), type, definitions);
    // A name the catalog no longer finds leaves the flag of the previous
    // selection standing: that is no layout for this table.
    if (database.selectedObject.objectId == -1 || !database.layoutReady) return true;

    const TreeItem primaryKey = insertFirst(item, treeText::kPrimaryKey, kFolderItemData);
    const TreeItem constraint = insertFirst(item, treeText::kConstraint, kFolderItemData);
    const TreeItem unique = insertFirst(item, treeText::kUnique, kFolderItemData);
    const TreeItem foreignKey = insertFirst(item, treeText::kForeignKey, kFolderItemData);
    primaryKeyFolder_ = primaryKey;

    // Inserted last to first, each as first child: the nodes end up in
    // column order.
    const std::vector<ColumnDescriptor>& layout = database.rowLayout;
    for (auto column = layout.rbegin(); column != layout.rend(); ++column)
        if (!column->name.empty()) insertFirst(columnsFolder, columnNodeText(*column), kFolderItemData);

    const bool legacy = context_.legacy();
    for (const ChildObjectEntry& child : database.childObjects) {
        const int64_t keyData = legacy ? int64_t(child.objectId) : 0;
        if (child.type == "PK")
            insertFirst(primaryKey, child.name, keyData);
        else if (child.type == "F ")
            insertFirst(foreignKey, child.name, kFolderItemData);
        else if (child.type == "C " || child.type == "D ")
            insertFirst(constraint, child.name, kObjectItemData);
        else if (child.type == "UQ")
            insertFirst(unique, child.name, keyData);
    }
    return true;
}

}  // namespace pw
