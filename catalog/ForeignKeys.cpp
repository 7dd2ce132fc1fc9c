#include "catalog/ForeignKeys.h"

#include <map>
#include <unordered_map>
#include <utility>

namespace pw {
namespace {

uint64_t keyOf(int32_t high, int32_t low) { return (uint64_t(uint32_t(high)) << 32) | uint32_t(low); }

}  // namespace

std::vector<ForeignKeyColumnPair> buildForeignKeyColumns(const std::vector<ObjectReferenceRow>& references,
                                                         const std::vector<CatalogObject>& objects,
                                                         const std::vector<ColumnRow>& columns) {
    // Class-29 references by (dependent id, dependent sub-id), in list order.
    std::unordered_map<uint64_t, std::vector<size_t>> referenced;
    for (size_t i = 0; i < references.size(); ++i)
        if (references[i].referenceClass == kForeignKeyReferencedReference)
            referenced[keyOf(references[i].dependentId, references[i].dependentSubId)].push_back(i);

    std::vector<ForeignKeyColumnPair> pairs;
    for (const ObjectReferenceRow& parent : references) {
        if (parent.referenceClass != kForeignKeyParentReference) continue;
        auto found = referenced.find(keyOf(parent.dependentId, parent.dependentSubId));
        if (found == referenced.end()) continue;
        for (size_t position : found->second) {
            const ObjectReferenceRow& target = references[position];
            ForeignKeyColumnPair pair;
            pair.constraintId = parent.dependentId;
            pair.keyOrdinal = parent.dependentSubId;
            pair.parentTableId = parent.independentId;
            pair.parentColumnId = parent.independentSubId;
            pair.referencedTableId = target.independentId;
            pair.referencedColumnId = target.independentSubId;
            pairs.push_back(std::move(pair));
        }
    }
    if (pairs.empty()) return pairs;

    // The last object row with each id and the last column row with each
    // (object id, column id) give the names.
    std::unordered_map<int32_t, size_t> objectById;
    for (size_t i = 0; i < objects.size(); ++i) objectById[objects[i].objectId] = i;
    std::unordered_map<uint64_t, size_t> columnByKey;
    for (size_t i = 0; i < columns.size(); ++i) columnByKey[keyOf(columns[i].objectId, columns[i].columnId)] = i;
    auto objectName = [&](int32_t id) -> const CatalogObject* {
        auto it = objectById.find(id);
        return it == objectById.end() ? nullptr : &objects[it->second];
    };
    auto columnName = [&](int32_t objectId, int32_t columnId) -> std::string {
        auto it = columnByKey.find(keyOf(objectId, columnId));
        return it == columnByKey.end() ? std::string() : columns[it->second].name;
    };
    for (ForeignKeyColumnPair& pair : pairs) {
        if (const CatalogObject* table = objectName(pair.parentTableId)) pair.parentTableName = table->name;
        if (const CatalogObject* table = objectName(pair.referencedTableId)) pair.referencedTableName = table->name;
        if (const CatalogObject* constraint = objectName(pair.constraintId)) {
            pair.constraintName = constraint->name;
            pair.constraintStatus = constraint->status;
        }
        pair.parentColumnName = columnName(pair.parentTableId, pair.parentColumnId);
        pair.referencedColumnName = columnName(pair.referencedTableId, pair.referencedColumnId);
    }
    return pairs;
}

}  // namespace pw
