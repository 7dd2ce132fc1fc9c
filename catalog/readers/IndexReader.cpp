// sysidxstats (object id 54): 0 id · 4 indid · 8 status · 12 intprop ·
// 16 fillfact · 17 type (0 heap, 1 clustered, 2 nonclustered) · 18 tinyprop ·
// 19 dataspace · 23 lobds · 27 rowset (u64). The name is variable column 0.
// sysiscols (object id 55): 0 idmajor · 4 idminor · 8 subid · 12 status ·
// 16 intprop (the column id) · 20 tinyprop1 (key ordinal) · 21 tinyprop2.

#include "catalog/readers/CatalogRecords.h"
#include "catalog/readers/SystemTableReaders.h"

namespace pw::catalog {
namespace {

constexpr size_t kIndexMinimumLength = 27;
constexpr size_t kObjectId = 0;
constexpr size_t kIndexId = 4;
constexpr size_t kStatus = 8;
constexpr size_t kInternalProperty = 12;
constexpr size_t kFillFactor = 16;
constexpr size_t kIndexType = 17;
constexpr size_t kTinyProperty = 18;
constexpr size_t kDataSpace = 19;
constexpr size_t kLargeObjectDataSpace = 23;
constexpr size_t kRowsetId = 27;

constexpr size_t kColumnMinimumLength = 21;
constexpr size_t kOrdinal = 8;
constexpr size_t kColumnStatus = 12;
constexpr size_t kColumnId = 16;
constexpr size_t kKeyOrdinal = 20;
constexpr size_t kPartitionOrdinal = 21;

}  // namespace

void readIndexRows(CDataPage& page, std::vector<IndexRow>& out) {
    forEachCatalogRecord(page, false, [&](const CPrimaryRecord& record) {
        if (record.fixedPart.empty()) return;
        IndexRow row;
        if (fixedPartHolds(record, kIndexMinimumLength)) {
            Bytes fixed = record.fixedView();
            row.objectId = readI32(fixed, kObjectId);
            row.indexId = readI32(fixed, kIndexId);
            row.name = variableColumnText(record, 0);
            row.status = readI32(fixed, kStatus);
            row.internalProperty = readI32(fixed, kInternalProperty);
            row.fillFactor = readU8(fixed, kFillFactor);
            row.indexType = readU8(fixed, kIndexType);
            row.tinyProperty = readU8(fixed, kTinyProperty);
            row.dataSpace = readI32(fixed, kDataSpace);
            row.largeObjectDataSpace = readI32(fixed, kLargeObjectDataSpace);
            row.rowsetId = fieldU64(fixed, kRowsetId, 0);
        }
        out.push_back(std::move(row));
    });
}

void readIndexColumnRows(CDataPage& page, std::vector<IndexColumnRow>& out) {
    forEachCatalogRecord(page, false, [&](const CPrimaryRecord& record) {
        IndexColumnRow row;
        if (fixedPartHolds(record, kColumnMinimumLength)) {
            Bytes fixed = record.fixedView();
            row.objectId = readI32(fixed, kObjectId);
            row.indexId = readI32(fixed, kIndexId);
            row.ordinal = readI32(fixed, kOrdinal);
            row.status = readI32(fixed, kColumnStatus);
            row.columnId = readI32(fixed, kColumnId);
            row.keyOrdinal = readU8(fixed, kKeyOrdinal);
            row.partitionOrdinal = fieldU8(fixed, kPartitionOrdinal, 255);
        }
        out.push_back(row);
    });
}

}  // namespace pw::catalog
