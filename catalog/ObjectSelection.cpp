// selectObject: what the object of a given name and type is, and how the
// rows of a table are laid out. It fills the selected members of the
// catalog and builds `rowLayout`, one descriptor per column in column-id
// order with its physical position in the record, key marks and
// foreign-key marks.

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "app/RunContext.h"
#include "catalog/Database.h"
#include "catalog/DefinitionText.h"

namespace pw {
namespace {

constexpr int32_t kColumnNotNull = 0x01;
constexpr int32_t kColumnRowGuid = 0x08;
constexpr int32_t kColumnSparseBit = 24;
// SQL Server 2000 keeps NOT NULL in bit 0 of typestat; its rows are 42
// fixed bytes long, so the status byte after them is not there to read.
constexpr uint8_t kLegacyTypeStatusNotNull = 0x01;
constexpr uint8_t kImageSystemType = 34;
constexpr int32_t kHierarchyIdUserType = 128;
constexpr int32_t kGeometryUserType = 129;

ColumnDescriptor infoDescriptor(const std::string& text) {
    ColumnDescriptor descriptor{std::string(), std::string(), int32_t(TypeCode::Char)};
    descriptor.infoText = text;
    return descriptor;
}

// The row decoder's type code in a table layout: image keeps its own code.
int32_t layoutTypeCode(uint8_t systemTypeId) {
    if (systemTypeId == kImageSystemType) return int32_t(TypeCode::Image);
    return int32_t(typeCodeForSystemType(systemTypeId));
}

const std::vector<size_t>& positionsOf(const std::unordered_map<int32_t, std::vector<size_t>>& map, int32_t key) {
    static const std::vector<size_t> kNone;
    auto found = map.find(key);
    return found == map.end() ? kNone : found->second;
}

template <typename Key>
const std::vector<size_t>& positionsOf(const std::unordered_map<Key, std::vector<size_t>>& map, Key key) {
    static const std::vector<size_t> kNone;
    auto found = map.find(key);
    return found == map.end() ? kNone : found->second;
}

// Where each column id stands in `layout` (the first descriptor with it).
std::unordered_map<int32_t, size_t> positionsByColumnId(const std::vector<ColumnDescriptor>& layout) {
    std::unordered_map<int32_t, size_t> positions;
    for (size_t i = 0; i < layout.size(); ++i) positions.emplace(layout[i].columnId, i);
    return positions;
}

}  // namespace

std::vector<ColumnDescriptor> Database::selectObject(const std::string& name, const std::string& type,
                                                     const std::vector<DefinitionRow>& definitionRows) {
    RunContext& context = file->context();
    const bool legacy = legacyCatalog();
    rowLayout.clear();
    selectedObject = findObject(name, type);
    if (selectedObject.objectId == -1) return {};
    const int32_t id = selectedObject.objectId;
    const std::string idText = std::to_string(id);
    const CatalogIndex& maps = lookup();

    childObjects.clear();
    for (size_t position : positionsOf(maps.objectsByParent, id)) {
        if (context.stop()) break;
        const CatalogObject& child = objects[position];
        ChildObjectEntry entry;
        entry.primaryKey = child.type == "PK";
        entry.foreignKey = child.type == "F ";
        entry.unique = child.type == "UQ";
        entry.name = child.name;
        entry.objectId = legacy ? child.parentObjectId : child.objectId;
        entry.type = child.type;
        childObjects.push_back(std::move(entry));
    }

    layoutReady = false;
    if (isObjectWithoutRows(selectedObject.type))
        return {infoDescriptor(idText), infoDescriptor(selectedObject.type), infoDescriptor(selectedObject.name)};

    // Rowset, allocation units and data pages.
    selectedRowsets.clear();
    selectedAllocationUnits.clear();
    if (legacy) {
        currentRowset = RowsetRow();
        currentAllocationUnit = AllocationUnitRow();
        selectedDataPages = dataPagesOf(id);
    } else {
        currentRowset = chooseRowset(id);
        currentAllocationUnit = chooseAllocationUnit(currentRowset);
        for (size_t position : positionsOf(maps.rowsetsByOwner, id)) {
            if (context.stop()) break;
            selectedRowsets.push_back(rowsets[position]);
        }
        selectedAllocationUnits = allocationUnitsOf(id);
        selectedDataPages = dataPagesOfUnits(selectedAllocationUnits);
    }

    // The table's columns; the first row with a column id wins.
    selectedColumns.clear();
    legacySelectedColumns.clear();
    const uint32_t owner = uint32_t(id) & kColumnOwnerMask;
    std::unordered_set<int32_t> seenColumnIds;
    if (legacy) {
        for (size_t position : positionsOf(maps.legacyColumnsByOwner, owner)) {
            const LegacyColumnRow& row = legacyColumns[position];
            if (seenColumnIds.insert(row.columnId).second) legacySelectedColumns.push_back(row);
        }
    } else {
        for (size_t position : positionsOf(maps.columnsByOwner, owner)) {
            const ColumnRow& row = columns[position];
            if (row.number != 0) continue;
            if (seenColumnIds.insert(row.columnId).second) selectedColumns.push_back(row);
        }
    }

    selectedRowsetColumns.clear();
    selectedLayoutInfos.clear();
    selectedLayoutLinks.clear();
    if (!legacy) fillLayoutRows(currentRowset.rowsetId);

    // Indexes of the object and their columns, each carrying its index's status.
    selectedIndexes.clear();
    for (size_t position : positionsOf(maps.indexesByObject, id)) {
        const IndexRow& index = indexes[position];
        if ((index.status & 1) != 0 && index.indexId > 0) selectedIndexes.push_back(index);
    }
    // The index columns of each selected index, carrying its status. An
    // index id listed twice (only a damaged catalog does that) is taken once
    // with the statuses of both, so that the list stays as long as the
    // object's index columns.
    std::unordered_map<int32_t, std::vector<size_t>> columnsOfIndex;
    for (size_t position : positionsOf(maps.indexColumnsByObject, id))
        columnsOfIndex[indexColumns[position].indexId].push_back(position);
    std::vector<int32_t> indexOrder;
    std::unordered_map<int32_t, int32_t> statusOfIndex;
    for (const IndexRow& index : selectedIndexes) {
        auto [status, fresh] = statusOfIndex.try_emplace(index.indexId, 0);
        if (fresh) indexOrder.push_back(index.indexId);
        status->second |= index.status;
    }
    std::vector<IndexColumnRow> keyColumns;
    for (int32_t indexId : indexOrder) {
        for (size_t position : positionsOf(columnsOfIndex, indexId)) {
            IndexColumnRow keyColumn = indexColumns[position];
            keyColumn.status = statusOfIndex[indexId];
            keyColumns.push_back(keyColumn);
        }
    }

    buildRowLayout(idText, definitionRows);
    std::unordered_map<int32_t, size_t> byColumnId = positionsByColumnId(rowLayout);

    for (const IndexColumnRow& keyColumn : keyColumns) {
        auto found = byColumnId.find(keyColumn.columnId);
        if (found == byColumnId.end()) continue;
        ColumnDescriptor& descriptor = rowLayout[found->second];
        if (keyColumn.status & kIndexIsPrimaryKey) descriptor.primaryKeyColumn = true;
        if (keyColumn.status & kIndexIsUnique) descriptor.uniqueIndexColumn = true;
        if (keyColumn.status & kIndexThirdKeyFlag) {
            descriptor.thirdKeyFlag = true;
            descriptor.keyOrdinal = keyColumn.keyOrdinal;
        }
    }
    for (size_t position : positionsOf(maps.foreignKeysByParent, id)) {
        const ForeignKeyColumnPair& pair = foreignKeyColumns[position];
        if (pair.referencedTableName.empty() || pair.referencedColumnName.empty()) continue;
        auto found = byColumnId.find(pair.parentColumnId);
        if (found == byColumnId.end()) continue;
        ColumnDescriptor& descriptor = rowLayout[found->second];
        descriptor.foreignKeyColumn = true;
        descriptor.referencedTable = pair.referencedTableName;
        descriptor.referencedColumn = pair.referencedColumnName;
    }

    firstStoredColumn = 0;
    for (size_t i = 0; i < rowLayout.size(); ++i) {
        if (rowLayout[i].physicalColumnId != kNotStored) {
            firstStoredColumn = int32_t(i);
            break;
        }
    }
    layoutReady = true;
    return rowLayout;
}

void Database::fillLayoutRows(uint64_t rowsetId) {
    const CatalogIndex& maps = lookup();
    for (size_t position : positionsOf(maps.rowsetColumnsByRowset, rowsetId))
        selectedRowsetColumns.push_back(rowsetColumns[position]);
    if (!selectedRowsetColumns.empty()) return;
    // The 2005 release keeps the layout in two tables of its own.
    for (size_t position : positionsOf(maps.layoutInfosByRowset, rowsetId))
        selectedLayoutInfos.push_back(rowsetColumnInfos[position]);
    std::unordered_map<int32_t, std::vector<size_t>> infosByColumnId;
    for (size_t i = 0; i < selectedLayoutInfos.size(); ++i) infosByColumnId[selectedLayoutInfos[i].columnId].push_back(i);
    for (size_t position : positionsOf(maps.layoutLinksByRowset, rowsetId)) {
        const RowsetColumnLinkRow& link = rowsetColumnLinks[position];
        for (size_t info : positionsOf(infosByColumnId, link.columnId))
            selectedLayoutInfos[info].columnOrdinal = link.columnOrdinal;
        selectedLayoutLinks.push_back(link);
    }
}

void Database::buildRowLayout(const std::string& idText, const std::vector<DefinitionRow>& definitionRows) {
    // Only this object's definition rows can give texts; taken once, in order.
    std::vector<DefinitionRow> ownDefinitions;
    for (const DefinitionRow& row : definitionRows)
        if (row.objectIdText == idText) ownDefinitions.push_back(row);

    const bool legacy = legacyCatalog();
    auto typeTextFor = [&](uint8_t systemTypeId, int32_t userTypeId, int16_t length) {
        return findScalarType(systemTypeId, userTypeId).name + "(" + std::to_string(length) + ")";
    };
    if (legacy) {
        for (const LegacyColumnRow& row : legacySelectedColumns) {
            if (row.systemTypeId == 0) continue;
            ColumnDescriptor descriptor(typeTextFor(row.systemTypeId, row.userTypeId, row.length), row.name,
                                        layoutTypeCode(row.systemTypeId));
            descriptor.columnId = row.columnId;
            descriptor.physicalColumnId = row.columnId;
            descriptor.nullable = (row.typeStatus & kLegacyTypeStatusNotNull) == 0;
            descriptor.precision = row.precision;
            descriptor.scale = row.scale;
            descriptor.collationId = row.collationId;
            descriptor.leafOffset = row.offset;
            descriptor.legacyRowOffset = row.rowOffset;
            descriptor.systemTypeId = row.systemTypeId;
            descriptor.userTypeId = row.userTypeId;
            rowLayout.push_back(std::move(descriptor));
        }
    } else {
        for (const ColumnRow& row : selectedColumns) {
            if (row.systemTypeId == 0) continue;
            ColumnDescriptor descriptor(typeTextFor(row.systemTypeId, row.userTypeId, row.maxLength), row.name,
                                        layoutTypeCode(row.systemTypeId));
            if (descriptor.typeCode == TypeCode::ClrType) {
                // The CLR types the decoder knows by their user type id keep
                // the length and variable flag of a CLR column.
                if (row.userTypeId == kGeometryUserType) descriptor.typeCode = TypeCode::Geometry;
                if (row.userTypeId == kHierarchyIdUserType) descriptor.typeCode = TypeCode::HierarchyId;
            }
            descriptor.columnId = row.columnId;
            descriptor.physicalColumnId = row.columnId;
            descriptor.nullable = (row.status & kColumnNotNull) == 0;
            descriptor.sparse = ((row.status >> kColumnSparseBit) & 1) != 0;
            descriptor.rowGuidColumn = (row.status & kColumnRowGuid) != 0;
            descriptor.precision = row.precision;
            descriptor.scale = row.scale;
            descriptor.collationId = row.collationId;
            descriptor.identityText = row.identityText;
            descriptor.systemTypeId = row.systemTypeId;
            descriptor.userTypeId = row.userTypeId;
            rowLayout.push_back(std::move(descriptor));
        }
    }
    // Column ids are unique here, so a stable sort orders them as any sort would.
    std::stable_sort(rowLayout.begin(), rowLayout.end(),
                     [](const ColumnDescriptor& a, const ColumnDescriptor& b) { return a.columnId < b.columnId; });

    // Column ids are unique in the layout (duplicates were dropped, and a
    // descriptor is added below only for an id no descriptor has).
    std::unordered_map<int32_t, size_t> byColumnId = positionsByColumnId(rowLayout);
    for (const RowsetColumnRow& row : selectedRowsetColumns) {
        auto found = byColumnId.find(row.rowsetColumnId);
        if (found == byColumnId.end()) continue;
        ColumnDescriptor& descriptor = rowLayout[found->second];
        descriptor.leafOffset = int16_t(row.leafOffset);
        descriptor.physicalColumnId = row.heapColumnId;
        descriptor.nullBit = row.nullBit;
        descriptor.stored = true;
    }
    if (selectedRowsetColumns.empty() && selectedLayoutInfos.empty())
        for (ColumnDescriptor& descriptor : rowLayout) descriptor.stored = true;

    const bool hadColumns = !rowLayout.empty();
    for (const RowsetColumnInfoRow& info : selectedLayoutInfos) {
        auto found = byColumnId.find(info.columnId);
        if (found != byColumnId.end()) {
            ColumnDescriptor& descriptor = rowLayout[found->second];
            descriptor.leafOffset = info.leafOffset;
            descriptor.nullBit = info.nullBit;
            descriptor.physicalColumnId = info.columnOrdinal;
            descriptor.stored = true;
            continue;
        }
        // A physical column the column table does not know.
        ColumnDescriptor added(std::string{}, std::string{}, int32_t(TypeCode::Char));
        added.columnId = info.columnId;
        added.physicalColumnId = kNotStored;
        added.stored = false;
        added.leafOffset = info.leafOffset;
        added.nullBit = info.nullBit;
        if (hadColumns) added.infoText = definitionTextFor(ownDefinitions, idText, std::to_string(info.columnId));
        if (rowLayout.size() != selectedLayoutInfos.size()) {
            byColumnId.emplace(added.columnId, rowLayout.size());
            rowLayout.push_back(std::move(added));
        }
    }

    if (!selectedLayoutInfos.empty()) {
        const std::vector<ColumnDescriptor> firstPass = rowLayout;
        for (ColumnDescriptor& descriptor : rowLayout) {
            auto source = byColumnId.find(descriptor.physicalColumnId);
            if (source != byColumnId.end()) {
                descriptor.leafOffset = firstPass[source->second].leafOffset;
                descriptor.nullBit = firstPass[source->second].nullBit;
            } else {
                std::string text =
                    definitionTextFor(ownDefinitions, idText, std::to_string(descriptor.physicalColumnId));
                if (!text.empty()) descriptor.infoText = text;
            }
        }
        return;
    }
    for (ColumnDescriptor& descriptor : rowLayout) {
        if (descriptor.stored) continue;
        descriptor.physicalColumnId = kNotStored;
        descriptor.infoText = definitionTextFor(ownDefinitions, idText, std::to_string(descriptor.columnId));
    }
}

}  // namespace pw
