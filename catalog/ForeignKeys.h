#pragma once
// The foreign-key column pairs of a 2005-and-later catalog, assembled from
// the object references: each class-28 reference (constraint column ->
// parent table column) joined with every class-29 reference of the same
// constraint and key ordinal (-> referenced column), in reference order,
// then named from the object and column rows (the last matching row wins).

#include <atomic>
#include <vector>

#include "catalog/rows/CatalogObject.h"
#include "catalog/rows/ColumnRow.h"
#include "catalog/rows/ForeignKeyColumnPair.h"
#include "catalog/rows/ObjectReferenceRow.h"

namespace pw {

std::vector<ForeignKeyColumnPair> buildForeignKeyColumns(const std::vector<ObjectReferenceRow>& references,
                                                         const std::vector<CatalogObject>& objects,
                                                         const std::vector<ColumnRow>& columns);

}  // namespace pw
