// The column layout tables of the 2005 release, read by fixed offsets only.
//   object id 13: 0 rowset id (u64) · 8 column id · 27 leaf offset (i16) ·
//                 33 null bit (i16)
//   object id 4:  0 rowset id (u64) · 8 column id · 12 column ordinal

#include "catalog/readers/CatalogRecords.h"
#include "catalog/readers/SystemTableReaders.h"

namespace pw::catalog {
namespace {

constexpr size_t kRowsetId = 0;
constexpr size_t kColumnId = 8;
constexpr size_t kLeafOffset = 27;
constexpr size_t kNullBit = 33;
constexpr size_t kColumnOrdinal = 12;

}  // namespace

void readRowsetColumnInfoRows(CDataPage& page, std::vector<RowsetColumnInfoRow>& out) {
    forEachCatalogRecord(page, false, [&](const CPrimaryRecord& record) {
        Bytes fixed = record.fixedView();
        RowsetColumnInfoRow row;
        row.rowsetId = fieldU64(fixed, kRowsetId, 0);
        row.columnId = fieldI32(fixed, kColumnId, 0);
        row.leafOffset = fieldI16(fixed, kLeafOffset, 0);
        row.nullBit = fieldI16(fixed, kNullBit, 0);
        out.push_back(row);
    });
}

void readRowsetColumnLinkRows(CDataPage& page, std::vector<RowsetColumnLinkRow>& out) {
    forEachCatalogRecord(page, false, [&](const CPrimaryRecord& record) {
        Bytes fixed = record.fixedView();
        RowsetColumnLinkRow row;
        row.rowsetId = fieldU64(fixed, kRowsetId, 0);
        row.columnId = fieldI32(fixed, kColumnId, 0);
        row.columnOrdinal = fieldI32(fixed, kColumnOrdinal, 0);
        out.push_back(row);
    });
}

}  // namespace pw::catalog
