#pragma once
// Rebuilds compressed (CD form) records into the ordinary layout that the
// row decoder expects: the fixed part from short values, anchor values and
// the page dictionary; long values sharing a prefix with the anchor record.

#include <vector>

#include "storage/RecordPage.h"

namespace pw {

struct ColumnDescriptor;

// Fills the page's anchor values from its anchor record, one per column.
void buildAnchorValues(PrimaryRecordPage& page, const CPrimaryRecord& anchor,
                       const std::vector<ColumnDescriptor>& layout);

// Expands `record` in place; false when it is not expandable (it then stays
// as parsed): not a primary or index record, or its column count differs
// from the layout's.
bool expandRecord(CPrimaryRecord& record, const PrimaryRecordPage& page,
                  const std::vector<ColumnDescriptor>& layout);

}  // namespace pw
