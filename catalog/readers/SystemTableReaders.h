#pragma once
// One reader per system base table. Each takes one data page of its table,
// walks the records in slot order and copies the fields it needs from fixed
// offsets of each record's fixed-length part into a row record, appended to
// the destination. The readers trust nothing in the page: a field outside
// the record keeps its sentinel; a record too short for the table's minimum
// gives a row of sentinels or no row, as each table's comment says.
//
// Readers that generate names ("Repairname…", "RepairColumn…") take the
// table's repair counter, which the loader resets before the first page and
// after the last page of each table.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "catalog/rows/AllocationUnitRow.h"
#include "catalog/rows/CatalogObject.h"
#include "catalog/rows/ColumnRow.h"
#include "catalog/rows/DataFileRow.h"
#include "catalog/rows/IndexRow.h"
#include "catalog/rows/LegacyColumnRow.h"
#include "catalog/rows/LegacyIndexRow.h"
#include "catalog/rows/ObjectReferenceRow.h"
#include "catalog/rows/RowsetColumnInfoRow.h"
#include "catalog/rows/RowsetColumnRow.h"
#include "catalog/rows/RowsetRow.h"
#include "catalog/rows/ScalarTypeRow.h"
#include "storage/ByteReader.h"

namespace pw {

class CDataPage;

namespace catalog {

// sysfiles1 (object id 8): minimum fixed length 520; every record gives a row.
void readDataFileRows(CDataPage& page, std::vector<DataFileRow>& out);

// sysschobjs (34) or, with `legacyCatalog`, sysobjects (1): minimum fixed
// length 20 and object id > 0, otherwise no row.
void readObjectRows(CDataPage& page, bool legacyCatalog, uint64_t& repairCounter,
                    std::vector<CatalogObject>& out);

// sysallocunits (7): minimum fixed length 39; every record gives a row.
void readAllocationUnitRows(CDataPage& page, std::vector<AllocationUnitRow>& out);

// sysrowsets (5): minimum fixed length 27; every record gives a row.
void readRowsetRows(CDataPage& page, std::vector<RowsetRow>& out);

// syscolpars (41): minimum fixed length 37; every record (but index records)
// gives a row.
void readColumnRows(CDataPage& page, uint64_t& repairCounter, std::vector<ColumnRow>& out);

// syscolumns of SQL Server 2000 (3): no minimum; every record (but index
// records) gives a row.
void readLegacyColumnRows(CDataPage& page, uint64_t& repairCounter, std::vector<LegacyColumnRow>& out);

// sysindexes of SQL Server 2000 (2): data pages only, records of at least 64
// fixed bytes. Index id 1 rows go to `clustered` by object id (the last one
// met wins); the row counts of index ids 0 and 1 go to `rowCounts`.
void readLegacyIndexRows(CDataPage& page, std::map<int32_t, LegacyIndexRow>& clustered,
                         std::map<int32_t, int64_t>& rowCounts);

// sysscalartypes (50): minimum fixed length 34; a record with a fixed part
// gives a row (of sentinels when it is shorter).
void readScalarTypeRows(CDataPage& page, std::vector<ScalarTypeRow>& out);

// sysrscols (3): minimum fixed length 48; every record gives a row.
void readRowsetColumnRows(CDataPage& page, std::vector<RowsetColumnRow>& out);

// The column layout tables of the 2005 release (13 and 4): no length test.
void readRowsetColumnInfoRows(CDataPage& page, std::vector<RowsetColumnInfoRow>& out);
void readRowsetColumnLinkRows(CDataPage& page, std::vector<RowsetColumnLinkRow>& out);

// sysidxstats (54): minimum fixed length 27 for the fields; a record with a
// fixed part gives a row.
void readIndexRows(CDataPage& page, std::vector<IndexRow>& out);

// sysiscols (55): minimum fixed length 21; every record gives a row.
void readIndexColumnRows(CDataPage& page, std::vector<IndexColumnRow>& out);

// syssingleobjrefs (74): no length test; a record with a fixed part gives a row.
void readObjectReferenceRows(CDataPage& page, std::vector<ObjectReferenceRow>& out);

// The identity text of a 2005-format column from its identity value blob
// (variable column 1 of syscolpars): "identity(seed,increment)".
std::string identityTextFor(Bytes blob);

}  // namespace catalog
}  // namespace pw
