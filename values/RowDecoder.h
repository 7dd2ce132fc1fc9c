#pragma once
// The rows of one data page: every usable record of the page, in slot
// order, decoded against a table's row layout (see RecordDecoder).
//
// Record selection: records are taken in slot order while the slot index is
// below the header's slot count and `stopRequested` is clear. Missing
// records, index records, rejected records, forwarding stubs whose target
// could not be read and forwarded records (their stubs give them) are
// skipped; ghost records are skipped unless `showDeleted` is set. Records
// found by the page-body scan of deleted records follow the slotted ones.

#include <vector>

#include "catalog/ColumnDescriptor.h"
#include "storage/PagePointer.h"
#include "storage/RecordPage.h"
#include "values/DecodedRow.h"
#include "values/RecordDecoder.h"

namespace pw {

class Database;
class DatabaseFile;

// The layout form of the table `database` selected last: the rowset layout
// when the catalog is not the SQL Server 2000 one and the selected rowset
// has rowset columns, the legacy layout otherwise.
LayoutForm layoutFormFor(const Database& database);

// Reads data page `page` and decodes its rows. No page, or a page whose
// type is not 1 (data), gives no rows. `reader` (optional) lets a caller
// keep one large-value reader, with its page cache, across pages.
std::vector<DecodedRow> decodePageRows(const DatabaseFile& file, PagePointer page,
                                       const std::vector<ColumnDescriptor>& layout, LayoutForm form,
                                       LargeValueReader* reader = nullptr);

// As decodePageRows, for the object definition tables: the definition
// twins of the decoders (no NULL tests, no listing placeholders).
std::vector<DecodedRow> decodeDefinitionPageRows(const CDataPage& page, const std::vector<ColumnDescriptor>& layout,
                                                 LayoutForm form, const RunContext& context,
                                                 LargeValueReader* reader = nullptr);

// Decodes the records of a page already read, appending to `rows`.
void decodeRecords(const PrimaryRecordPage& page, const std::vector<ColumnDescriptor>& layout,
                   RecordDecodeOptions options, const RunContext& context, LargeValueReader& reader,
                   std::vector<DecodedRow>& rows);

}  // namespace pw
