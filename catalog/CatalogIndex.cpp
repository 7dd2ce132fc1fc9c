#include "catalog/CatalogIndex.h"

#include "catalog/Database.h"

namespace pw {

std::vector<size_t> CatalogIndex::sizesOf(const Database& d) {
    return {d.objects.size(),       d.rowsets.size(),           d.allocationUnits.size(),
            d.columns.size(),       d.legacyColumns.size(),     d.rowsetColumns.size(),
            d.rowsetColumnInfos.size(), d.rowsetColumnLinks.size(), d.indexes.size(),
            d.indexColumns.size(),  d.foreignKeyColumns.size(), d.scalarTypes.size()};
}

void CatalogIndex::build(const Database& d) {
    *this = CatalogIndex();
    for (size_t i = 0; i < d.objects.size(); ++i) {
        const CatalogObject& object = d.objects[i];
        objectsByName[object.name].push_back(i);
        objectsById[object.objectId].push_back(i);
        objectsByParent[object.parentObjectId].push_back(i);
    }
    for (size_t i = 0; i < d.rowsets.size(); ++i) rowsetsByOwner[d.rowsets[i].ownerObjectId].push_back(i);
    for (size_t i = 0; i < d.allocationUnits.size(); ++i)
        allocationUnitsByOwner[d.allocationUnits[i].ownerId].push_back(i);
    for (size_t i = 0; i < d.columns.size(); ++i)
        columnsByOwner[uint32_t(d.columns[i].objectId) & kColumnOwnerMask].push_back(i);
    for (size_t i = 0; i < d.legacyColumns.size(); ++i)
        legacyColumnsByOwner[uint32_t(d.legacyColumns[i].objectId) & kColumnOwnerMask].push_back(i);
    for (size_t i = 0; i < d.rowsetColumns.size(); ++i)
        rowsetColumnsByRowset[d.rowsetColumns[i].rowsetId].push_back(i);
    for (size_t i = 0; i < d.rowsetColumnInfos.size(); ++i)
        layoutInfosByRowset[d.rowsetColumnInfos[i].rowsetId].push_back(i);
    for (size_t i = 0; i < d.rowsetColumnLinks.size(); ++i)
        layoutLinksByRowset[d.rowsetColumnLinks[i].rowsetId].push_back(i);
    for (size_t i = 0; i < d.indexes.size(); ++i) indexesByObject[d.indexes[i].objectId].push_back(i);
    for (size_t i = 0; i < d.indexColumns.size(); ++i)
        indexColumnsByObject[d.indexColumns[i].objectId].push_back(i);
    for (size_t i = 0; i < d.foreignKeyColumns.size(); ++i)
        foreignKeysByParent[d.foreignKeyColumns[i].parentTableId].push_back(i);
    for (size_t i = 0; i < d.scalarTypes.size(); ++i) firstScalarTypeById.emplace(d.scalarTypes[i].typeId, i);
    builtFrom = sizesOf(d);
}

}  // namespace pw
