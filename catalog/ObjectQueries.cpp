// The object queries: finding an object and a scalar type, choosing a
// table's rowset, allocation unit and data pages. Lookups go through the
// catalog's maps; each map entry lists rows in catalog order, so the
// answers are those of a walk over the whole list.

#include <unordered_set>

#include "app/RunContext.h"
#include "catalog/Database.h"

namespace pw {
namespace {

constexpr int32_t kHeapIndexId = 0;
constexpr int32_t kClusteredIndexId = 1;

const std::vector<size_t>& positionsIn(const std::unordered_map<int32_t, std::vector<size_t>>& map, int32_t key) {
    static const std::vector<size_t> kNone;
    auto found = map.find(key);
    return found == map.end() ? kNone : found->second;
}

}  // namespace

bool Database::isObjectWithoutRows(const std::string& type) {
    static const char* const kTypes[] = {"PK", "X ", "P ", "C ", "FN", "IF", "TR", "V ", "D ", "TT", "F ", "TF"};
    for (const char* candidate : kTypes)
        if (type == candidate) return true;
    return false;
}

ScalarTypeRow Database::findScalarType(int32_t systemTypeId, int32_t userTypeId) const {
    // Type ids are the table's key: the first row with the id is the answer
    // (a row with id = system type = user type and schema 1 would end the
    // walk there, and it is that same first row).
    (void)userTypeId;
    const CatalogIndex& maps = lookup();
    auto found = maps.firstScalarTypeById.find(systemTypeId);
    return found == maps.firstScalarTypeById.end() ? ScalarTypeRow() : scalarTypes[found->second];
}

CatalogObject Database::findObject(const std::string& name, const std::string& type) const {
    const CatalogIndex& maps = lookup();
    auto found = maps.objectsByName.find(name);
    if (found != maps.objectsByName.end()) {
        for (size_t position : found->second) {
            const CatalogObject& object = objects[position];
            // A programmable object or constraint of that name wins when it
            // comes first, whatever type was asked for.
            if (object.type == type || (object.type != "U " && object.type != "S ")) return object;
        }
    }
    return CatalogObject();
}

RowsetRow Database::chooseRowset(int32_t objectId) const {
    const CatalogIndex& maps = lookup();
    const std::vector<size_t>& owned = positionsIn(maps.rowsetsByOwner, objectId);
    const RowsetRow* best = nullptr;
    for (size_t position : owned) {
        const RowsetRow& rowset = rowsets[position];
        if (rowset.indexId != kHeapIndexId && rowset.indexId != kClusteredIndexId) continue;
        if (!best || rowset.indexId <= best->indexId) best = &rowset;
    }
    if (best) return *best;
    if (!owned.empty()) return rowsets[owned.back()];
    return RowsetRow();
}

std::vector<PagePointer> Database::dataPagesOfUnits(const std::vector<AllocationUnitRow>& units) const {
    // Small object ids are shared by system and user units: only pages of
    // the very unit (object id and index id, see ownsPage) belong to it.
    // Each object id's page list is grouped by header index id once, so
    // that many units over one long list stay linear; a unit listed twice
    // gives its pages once.
    using Groups = std::unordered_map<uint16_t, std::vector<size_t>>;
    std::unordered_map<int32_t, Groups> groupsByObject;
    std::unordered_set<uint64_t> seenUnits;
    std::vector<PagePointer> pages;
    static const std::vector<size_t> kNone;
    for (const AllocationUnitRow& unit : units) {
        if (file->context().stop()) break;
        if (!seenUnits.insert(unit.allocationUnitId).second) continue;
        auto found = file->dataPageMap.find(unit.pageObjectId());
        if (found == file->dataPageMap.end()) continue;
        const std::vector<PageEntry>& list = found->second;
        auto [groupsAt, fresh] = groupsByObject.try_emplace(found->first);
        Groups& groups = groupsAt->second;
        if (fresh)
            for (size_t i = 0; i < list.size(); ++i)
                if (list[i].pageType == kDataPage) groups[list[i].indexId].push_back(i);
        auto groupOf = [&](uint16_t indexId) -> const std::vector<size_t>& {
            auto group = groups.find(indexId);
            return group == groups.end() ? kNone : group->second;
        };
        const std::vector<size_t>& own = groupOf(unit.pageIndexId());
        const std::vector<size_t>& older =
            unit.pageIndexId() == 1 ? groupOf(0) : kNone;  // see AllocationUnitRow::ownsPage
        // Both groups are in list order; merged, they are the list filtered.
        size_t a = 0, b = 0;
        while (a < own.size() || b < older.size()) {
            size_t position = (b >= older.size() || (a < own.size() && own[a] < older[b])) ? own[a++] : older[b++];
            pages.push_back(PagePointer{list[position].fileNumber, list[position].pageNumber});
        }
    }
    return pages;
}

AllocationUnitRow Database::chooseAllocationUnit(const RowsetRow& rowset) const {
    const CatalogIndex& maps = lookup();
    AllocationUnitRow chosen;
    auto owned = maps.allocationUnitsByOwner.find(rowset.rowsetId);
    if (owned == maps.allocationUnitsByOwner.end()) return chosen;
    bool found = false;
    for (size_t position : owned->second) {
        if (allocationUnits[position].type != kInRowData) continue;
        chosen = allocationUnits[position];
        found = true;
    }
    if (!found) return chosen;
    if (chosen.firstPage.pageNumber != 0 || chosen.rootPage.pageNumber != 0 ||
        chosen.firstIamPage.pageNumber != 0) {
        // The last data page the mapping pass met for the unit stands in for
        // its first page.
        std::vector<PagePointer> pages = dataPagesOfUnits({chosen});
        if (!pages.empty()) chosen.firstPage = pages.back();
    }
    return chosen;
}

std::vector<PagePointer> Database::dataPagesOf(int32_t objectId) const {
    if (legacyCatalog()) {
        std::vector<PagePointer> pages;
        auto found = file->dataPageMap.find(objectId);
        if (found == file->dataPageMap.end()) return pages;
        for (const PageEntry& entry : found->second)
            if (entry.pageType == kDataPage) pages.push_back(PagePointer{entry.fileNumber, entry.pageNumber});
        return pages;
    }
    return dataPagesOfUnits(allocationUnitsOf(objectId));
}

std::vector<AllocationUnitRow> Database::allocationUnitsOf(int32_t objectId) const {
    // The units of every rowset of the object, rowset by rowset. A rowset id
    // listed twice owns the same units: they are taken once.
    const CatalogIndex& maps = lookup();
    std::vector<AllocationUnitRow> units;
    std::unordered_set<uint64_t> seenRowsets;
    for (size_t rowsetPosition : positionsIn(maps.rowsetsByOwner, objectId)) {
        if (file->context().stop()) break;
        uint64_t rowsetId = rowsets[rowsetPosition].rowsetId;
        if (!seenRowsets.insert(rowsetId).second) continue;
        auto owned = maps.allocationUnitsByOwner.find(rowsetId);
        if (owned == maps.allocationUnitsByOwner.end()) continue;
        for (size_t unitPosition : owned->second) units.push_back(allocationUnits[unitPosition]);
    }
    return units;
}

int64_t Database::catalogRowCount(int32_t objectId) const {
    if (legacyCatalog()) {
        auto found = legacyRowCounts.find(objectId);
        return found == legacyRowCounts.end() ? -1 : found->second;
    }
    return chooseRowset(objectId).rowCount;
}

}  // namespace pw
