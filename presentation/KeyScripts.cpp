#include "presentation/KeyScripts.h"

#include "catalog/TableConstraints.h"
#include "export/SqlTypeText.h"

namespace pw {
namespace {

constexpr uint8_t kLegacyKeyStatusBit = 0x01;

bool qualifies(uint8_t status, KeyKind kind) {
    if (kind == KeyKind::Primary) return (status & kLegacyKeyStatusBit) != 0;
    return status == 0 || (status & kLegacyKeyStatusBit) != 0;
}

std::string joinedNames(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) text += (i ? ", " : "") + bracketName(names[i]);
    return text;
}

// No table was found for the key: the script names none.
std::string scriptWithoutTable(KeyKind kind, const std::string& constraintName) {
    if (kind == KeyKind::Primary) return "ALTER TABLE  ADD PRIMARY KEY ( )";
    return "ALTER TABLE  WITH NOCHECK ADD CONSTRAINT " + bracketName(constraintName) + " UNIQUE ( )";
}

std::string legacyKeyScript(const Database& database, KeyKind kind, const std::string& constraintName,
                            int64_t itemData) {
    LegacyKeyColumns key = legacyKeyColumns(database.legacyTables, itemData, kind);
    if (!key.found) return scriptWithoutTable(kind, constraintName);
    // This catalog form does not tell the index kind or the column order
    // directions, so the script leaves both to the server's defaults.
    const std::string table = bracketName(tableSchemaName(database, key.tableName, "U ")) + "." +
                              bracketName(key.tableName);
    if (kind == KeyKind::Primary) return "ALTER TABLE " + table + " ADD PRIMARY KEY (" + joinedNames(key.columns) + ")";
    return "ALTER TABLE " + table + " WITH NOCHECK ADD CONSTRAINT " + bracketName(constraintName) +
           " UNIQUE \r\n(\r\n" + joinedNames(key.columns) + "\r\n)";
}

}  // namespace

LegacyKeyColumns legacyKeyColumns(const std::vector<LegacyTable>& tables, int64_t itemData, KeyKind kind) {
    LegacyKeyColumns key;
    for (const LegacyTable& table : tables) {
        if (int64_t(table.objectId) != itemData) continue;
        key.found = true;
        key.tableName = table.name;
        key.columns.clear();
        for (const LegacyTableColumn& column : table.columns)
            if (qualifies(column.typeStatus, kind)) key.columns.push_back(column.name);
    }
    return key;
}

std::string tableSchemaName(const Database& database, const std::string& tableName, const std::string& tableType) {
    // The SQL Server 2000 object table keeps an owner id there, not a schema.
    if (database.legacyCatalog()) return "dbo";
    CatalogObject table = database.findObject(tableName, tableType);
    return schemaNameOf(table.objectId == -1 ? 1 : table.schemaId);
}

std::string keyScript(const Database& database, bool legacy, KeyKind kind, const std::string& tableName,
                      const std::string& tableType, const std::string& constraintName, int64_t itemData) {
    if (legacy) return legacyKeyScript(database, kind, constraintName, itemData);
    CatalogObject table = database.findObject(tableName, tableType);
    if (table.objectId == -1) return scriptWithoutTable(kind, constraintName);
    const std::vector<KeyConstraint> keys = keyConstraintsOf(database, table.objectId);
    const KeyConstraint* key = findKey(keys, constraintName);
    if (!key || key->primary != (kind == KeyKind::Primary) || key->columns.empty())
        return scriptWithoutTable(kind, constraintName);
    return keyConstraintScript(schemaNameOf(table.schemaId), tableName, *key);
}

std::string checkConstraintScript(const std::string& schemaName, const std::string& tableName,
                                  const std::string& constraintName, const std::string& definition) {
    return "ALTER TABLE  [" + schemaName + "].[" + tableName + "] WITH NOCHECK ADD CONSTRAINT[" + constraintName +
           "] CHECK " + definition;
}

std::string defaultConstraintScript(const std::string& schemaName, const std::string& tableName,
                                    const std::string& constraintName, const std::string& definition,
                                    const std::string& columnName) {
    return "ALTER TABLE " + bracketName(schemaName) + "." + bracketName(tableName) + " ADD CONSTRAINT " +
           bracketName(constraintName) + " DEFAULT " + definition + " FOR " + bracketName(columnName);
}

}  // namespace pw
