#pragma once
// Lookup maps over the catalog lists, keyed by the ids the object queries
// look for. Each map holds list positions in list order, so a walk over a
// map entry meets the same rows, in the same order, as a walk over the
// whole list that tests the key.

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace pw {

class Database;

// Bits 24 and 25 of an object id are ignored when columns are matched to
// their table.
constexpr uint32_t kColumnOwnerMask = 0xFCFFFFFFu;

struct CatalogIndex {
    using Positions = std::vector<size_t>;

    std::unordered_map<std::string, Positions> objectsByName;
    std::unordered_map<int32_t, Positions> objectsById;
    std::unordered_map<int32_t, Positions> objectsByParent;
    std::unordered_map<int32_t, Positions> rowsetsByOwner;
    std::unordered_map<uint64_t, Positions> allocationUnitsByOwner;
    std::unordered_map<uint32_t, Positions> columnsByOwner;        // masked object id
    std::unordered_map<uint32_t, Positions> legacyColumnsByOwner;  // masked object id
    std::unordered_map<uint64_t, Positions> rowsetColumnsByRowset;
    std::unordered_map<uint64_t, Positions> layoutInfosByRowset;
    std::unordered_map<uint64_t, Positions> layoutLinksByRowset;
    std::unordered_map<int32_t, Positions> indexesByObject;
    std::unordered_map<int32_t, Positions> indexColumnsByObject;
    std::unordered_map<int32_t, Positions> foreignKeysByParent;
    std::unordered_map<int32_t, size_t> firstScalarTypeById;

    // The list sizes the maps were built from; a change means a rebuild.
    std::vector<size_t> builtFrom;

    void build(const Database& database);
    static std::vector<size_t> sizesOf(const Database& database);
};

}  // namespace pw
