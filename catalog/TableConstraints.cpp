#include "catalog/TableConstraints.h"

#include <algorithm>
#include <map>

#include "catalog/Database.h"
#include "catalog/DefinitionText.h"
#include "catalog/SqlName.h"

namespace pw {
namespace {

std::string columnName(const Database& database, int32_t tableId, int32_t columnId) {
    for (const ColumnRow& column : database.columns)
        if (column.objectId == tableId && column.columnId == columnId && column.number <= 0) return column.name;
    return {};
}

}  // namespace

std::string schemaNameOf(int32_t schemaId) {
    if (schemaId == 1 || schemaId < 0) return "dbo";
    if (schemaId == 4) return "sys";
    if (schemaId == 3) return "INFORMATION_SCHEMA";
    return "schema_" + std::to_string(schemaId);
}

std::vector<KeyConstraint> keyConstraintsOf(const Database& database, int32_t tableId) {
    std::vector<KeyConstraint> keys;
    std::vector<const IndexRow*> candidates;
    for (const IndexRow& index : database.indexes)
        if (index.objectId == tableId && index.indexId > 0 &&
            (index.status & (kIndexStatusPrimaryKey | kIndexStatusUniqueConstraint)))
            candidates.push_back(&index);
    std::stable_sort(candidates.begin(), candidates.end(), [](const IndexRow* a, const IndexRow* b) {
        bool aPrimary = a->status & kIndexStatusPrimaryKey, bPrimary = b->status & kIndexStatusPrimaryKey;
        if (aPrimary != bPrimary) return aPrimary;
        return a->indexId < b->indexId;
    });
    for (const IndexRow* index : candidates) {
        KeyConstraint key;
        key.name = index->name;
        key.primary = (index->status & kIndexStatusPrimaryKey) != 0;
        key.clustered = index->indexType == 1;
        std::vector<const IndexColumnRow*> members;
        for (const IndexColumnRow& column : database.indexColumns)
            if (column.objectId == tableId && column.indexId == index->indexId && column.keyOrdinal > 0 &&
                column.keyOrdinal != 255)
                members.push_back(&column);
        std::stable_sort(members.begin(), members.end(),
                         [](const IndexColumnRow* a, const IndexColumnRow* b) { return a->keyOrdinal < b->keyOrdinal; });
        for (const IndexColumnRow* member : members)
            key.columns.push_back({columnName(database, tableId, member->columnId),
                                   member->status > 0 && (member->status & kIndexColumnDescending) != 0});
        keys.push_back(std::move(key));
    }
    return keys;
}

const KeyConstraint* findKey(const std::vector<KeyConstraint>& keys, const std::string& name) {
    for (const KeyConstraint& key : keys)
        if (key.name == name) return &key;
    return nullptr;
}

std::vector<CheckConstraint> checkConstraintsOf(const Database& database, int32_t tableId,
                                                const std::vector<DefinitionRow>& definitions) {
    std::vector<CheckConstraint> checks;
    for (const CatalogObject& object : database.objects)
        if (object.type == "C " && object.parentObjectId == tableId)
            checks.push_back({object.name, definitionTextFor(definitions, std::to_string(object.objectId))});
    return checks;
}

std::vector<DefaultConstraint> defaultConstraintsOf(const Database& database, int32_t tableId,
                                                    const std::vector<DefinitionRow>& definitions) {
    std::vector<DefaultConstraint> defaults;
    for (const CatalogObject& object : database.objects) {
        if (object.type != "D " || object.parentObjectId != tableId) continue;
        std::string column;
        for (const ColumnRow& row : database.columns)
            if (row.objectId == tableId && row.defaultObjectId == object.objectId) column = row.name;
        std::string text = definitionTextFor(definitions, std::to_string(object.objectId));
        if (!column.empty() && !text.empty()) defaults.push_back({object.name, column, text});
    }
    return defaults;
}

std::vector<ForeignKey> foreignKeysOf(const Database& database, int32_t tableId) {
    std::map<int32_t, std::vector<const ForeignKeyColumnPair*>> byConstraint;
    std::vector<int32_t> order;
    for (const ForeignKeyColumnPair& pair : database.foreignKeyColumns) {
        if (pair.parentTableId != tableId) continue;
        if (!byConstraint.count(pair.constraintId)) order.push_back(pair.constraintId);
        byConstraint[pair.constraintId].push_back(&pair);
    }
    std::vector<ForeignKey> keys;
    for (int32_t id : order) {
        auto pairs = byConstraint[id];
        std::stable_sort(pairs.begin(), pairs.end(),
                         [](const auto* a, const auto* b) { return a->keyOrdinal < b->keyOrdinal; });
        ForeignKey key;
        key.name = pairs.front()->constraintName;
        key.referencedTable = pairs.front()->referencedTableName;
        for (const auto* pair : pairs) {
            key.columns.push_back(pair->parentColumnName);
            key.referencedColumns.push_back(pair->referencedColumnName);
        }
        bool complete = !key.name.empty() && !key.referencedTable.empty();
        for (size_t i = 0; i < key.columns.size(); ++i)
            complete = complete && !key.columns[i].empty() && !key.referencedColumns[i].empty();
        if (complete) keys.push_back(std::move(key));
    }
    return keys;
}

std::string keyConstraintScript(const std::string& schemaName, const std::string& tableName,
                                const KeyConstraint& key) {
    std::string text = "ALTER TABLE " + bracketName(schemaName) + "." + bracketName(tableName) + " ADD CONSTRAINT " +
                       bracketName(key.name) + (key.primary ? " PRIMARY KEY " : " UNIQUE ") +
                       (key.clustered ? "CLUSTERED" : "NONCLUSTERED") + " (";
    for (size_t i = 0; i < key.columns.size(); ++i)
        text += (i ? ", " : "") + bracketName(key.columns[i].name) + (key.columns[i].descending ? " DESC" : " ASC");
    return text + ")";
}

}  // namespace pw
