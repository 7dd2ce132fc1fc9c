#include "presentation/ObjectDisplay.h"

#include <exception>

#include "catalog/TableConstraints.h"
#include "presentation/ContentPanel.h"
#include "presentation/KeyScripts.h"

namespace pw {
namespace {

constexpr const char* kLegacyDefinitionTable = "syscomments";
constexpr const char* kSystemTableType = "S ";
constexpr const char* kUserTableType = "U ";
// Any node that is neither a table nor a key is selected with this type; the
// type found for the name decides what is shown.
constexpr const char* kOtherObjectType = "P ";

const std::vector<DefinitionRow>& noDefinitions() {
    static const std::vector<DefinitionRow> kNone;
    return kNone;
}

}  // namespace

bool hasDefinitionText(const std::string& typeCode) {
    static const char* const kCodes[] = {"F ", "P ", "D ", "C ", "PK", "FN", "TR", "IF", "V ", "UQ", "TT", "TF"};
    for (const char* code : kCodes)
        if (typeCode == code) return true;
    return false;
}

ObjectDisplay::ObjectDisplay(RunContext& context, EngineHolder& engine, TreeSink& tree, ContentSink& content)
    : context_(context),
      engine_(engine),
      treeSink_(tree),
      content_(content),
      tree_(context, tree, content),
      pager_(context, engine, content) {}

void ObjectDisplay::resetForRun() {
    tree_.reset();
    pager_.reset();
    listedColumns_ = 0;
}

const std::vector<DefinitionRow>& ObjectDisplay::loadTimeDefinitions() const {
    return engine_.definitions ? engine_.definitions->loadTimeRows() : noDefinitions();
}

std::string ObjectDisplay::definitionText(const std::string& objectIdText) {
    return engine_.definitions ? engine_.definitions->definitionText(objectIdText) : std::string();
}

bool ObjectDisplay::buildObjectTree(const std::string& databaseName) {
    resetForRun();
    if (!engine_.hasDatabase()) return false;
    tree_.CreateTreeFolders(databaseName);
    return tree_.FillObjectTree(*engine_.database, loadTimeDefinitions());
}

void ObjectDisplay::finishObjectTree() {
    tree_.sortUserTables();
    treeSink_.redraw();
    if (engine_.hasDatabase() && engine_.hasFile()) {
        engine_.definitions = std::make_unique<DefinitionReader>(*engine_.database, *engine_.file, context_);
        ClearContentPanel(content_, listedColumns_);
        listedColumns_ = 0;
        engine_.definitions->readLoadTimeDefinitions();
    }
    treeSink_.redraw();
}

// --- DisplayController ------------------------------------------------------------

void ObjectDisplay::resetPaging() { pager_.reset(); }

void ObjectDisplay::displaySelectedObject(TreeItem item) {
    try {
        DisplaySelectedObject(item);
    } catch (const std::exception&) {
        // Only the standard library throws (memory): the display is over.
        endQuietly();
    }
}

void ObjectDisplay::showNextRecords() {
    try {
        pager_.showNextRecords();
    } catch (const std::exception&) {
        endQuietly();
    }
}

void ObjectDisplay::showPreviousRecords() {
    try {
        pager_.showPreviousRecords();
    } catch (const std::exception&) {
        endQuietly();
    }
}

// --- The display thread ----------------------------------------------------------------

void ObjectDisplay::endQuietly() {
    context_.listingInProgress = false;
    context_.isRunning = false;
    content_.showProgress(false);
}

void ObjectDisplay::showText(const std::string& text) {
    content_.showRecordList(false);
    content_.setDefinitionText(text);
}

std::string ObjectDisplay::tableTypeOf(TreeItem table) const {
    const TreeItem folder = treeSink_.parentOf(table);
    if (folder == kNoTreeItem) return std::string();
    if (folder == tree_.folders().userTables) return kUserTableType;
    if (folder == tree_.folders().systemTables) return kSystemTableType;
    return std::string();
}

int ObjectDisplay::DisplaySelectedObject(TreeItem item) {
    // A stop request left over from work that had ended is not for this
    // display; a Stop pressed from now on clears isRunning as well.
    context_.stopRequested = false;
    if (!engine_.hasDatabase() || !engine_.hasFile()) {
        endQuietly();
        return 0;
    }
    Database& database = *engine_.database;
    const bool legacy = context_.legacy();

    // Clear the display of the previous selection.
    ClearContentPanel(content_, listedColumns_);
    listedColumns_ = 0;
    database.selectedColumns.clear();
    database.rowLayout.clear();
    database.legacySelectedColumns.clear();

    const TreeItem parent = item == kNoTreeItem ? kNoTreeItem : treeSink_.parentOf(item);
    if (parent == kNoTreeItem || item == tree_.folders().root) {
        endQuietly();
        return 0;
    }
    const std::string text = treeSink_.itemText(item);
    const std::string parentText = treeSink_.itemText(parent);
    if (text.empty()) {
        endQuietly();
        return 0;
    }

    const std::vector<DefinitionRow>& definitions = loadTimeDefinitions();
    std::string tableType;
    if (parent == tree_.folders().systemTables) tableType = kSystemTableType;
    if (parent == tree_.folders().userTables) tableType = kUserTableType;
    if (!tableType.empty()) {
        if (!tree_.PopulateTableNode(database, item, definitions, 0))
            database.rowLayout = database.selectObject(text, tableType, definitions);
    } else if (parentText == treeText::kPrimaryKey) {
        showText(keyScriptFor(item, parent, text, true));
    } else if (parentText == treeText::kUnique) {
        showText(keyScriptFor(item, parent, text, false));
    } else {
        database.rowLayout = database.selectObject(text, kOtherObjectType, definitions);
    }

    const std::vector<ColumnDescriptor> layout = database.rowLayout;
    if (database.layoutReady && !layout.empty()) {
        content_.showRecordList(true);
        content_.setPreviousEnabled(false);
        content_.setNextEnabled(false);
        listedColumns_ = SetupRecordColumns(content_, layout, legacy);
        pager_.showTableRecords(text, tableType.empty() ? database.selectedObject.type : tableType, definitions);
    } else if (layout.size() >= 2 && hasDefinitionText(layout[1].infoText)) {
        showDefinition(text, parentText, parent);
    }
    finishDisplay(text);
    return 1;
}

void ObjectDisplay::finishDisplay(const std::string& nodeText) {
    content_.setPreviousEnabled(false);
    content_.setNextEnabled(pager_.knownPageCount() > 1);
    const int rows = content_.rowCount();
    pager_.advanceDisplayPageNumber();
    const std::string label = formatPageLabel(pager_.displayPageNumber(), rows, rows > 0 ? 1 : 0, rows);
    const std::string summary = nodeText + "[" + std::to_string(rows) + "]";
    content_.setCaptionText(summary);
    content_.appendLogLine(summary);
    content_.setPageLabel(label);
    content_.repaintList();
    content_.showProgress(false);
    context_.isRunning = false;
    content_.appendLogLine(kScanningCompleted);
}

std::string ObjectDisplay::keyScriptFor(TreeItem item, TreeItem parent, const std::string& nodeText, bool primary) {
    const TreeItem table = treeSink_.parentOf(parent);
    std::string tableType = tableTypeOf(table);
    if (tableType.empty()) tableType = kUserTableType;
    return keyScript(*engine_.database, context_.legacy(), primary ? KeyKind::Primary : KeyKind::Unique,
                     treeSink_.itemText(table), tableType, nodeText, treeSink_.itemData(item));
}

void ObjectDisplay::showDefinition(const std::string& nodeText, const std::string& parentText, TreeItem parent) {
    Database& database = *engine_.database;
    const std::vector<ColumnDescriptor> layout = database.rowLayout;
    std::string key = layout.empty() ? std::string() : layout[0].infoText;
    const std::string typeCode = layout.size() >= 2 ? layout[1].infoText : std::string();
    if (context_.legacy()) {
        // The SQL Server 2000 definitions are read with the syscomments
        // layout; the key is the id of the first object of that name.
        database.rowLayout = database.selectObject(kLegacyDefinitionTable, kSystemTableType, loadTimeDefinitions());
        key.clear();
        for (const CatalogObject& object : database.objects) {
            if (object.name != nodeText) continue;
            key = std::to_string(object.objectId);
            break;
        }
        if (!database.rowLayout.empty()) database.rowLayout[0].infoText = key;
    }
    const std::string definition = definitionText(key);
    showText(definition);
    if (parentText != treeText::kConstraint) return;

    const TreeItem table = treeSink_.parentOf(parent);
    const std::string tableName = treeSink_.itemText(table);
    std::string tableType = tableTypeOf(table);
    if (tableType.empty()) tableType = kUserTableType;
    const std::string schema = tableSchemaName(database, tableName, tableType);
    if (typeCode == "D ") {
        // A default constraint is no check: it is scripted as the default it
        // is when its column is known, else its definition stays as shown.
        const CatalogObject owner = database.findObject(tableName, tableType);
        if (owner.objectId == -1 || !engine_.definitions) return;
        for (const DefaultConstraint& constraint :
             defaultConstraintsOf(database, owner.objectId, engine_.definitions->displayRows())) {
            if (constraint.name != nodeText) continue;
            showText(defaultConstraintScript(schema, tableName, nodeText, constraint.definition, constraint.column));
            return;
        }
        return;
    }
    showText(checkConstraintScript(schema, tableName, nodeText, definition));
}

}  // namespace pw
