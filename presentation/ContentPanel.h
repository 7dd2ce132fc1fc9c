#pragma once
// The record list of the content panel as the display code prepares it:
// emptied before each selection and given one list column per shown column
// of the selected table.

#include <vector>

#include "catalog/ColumnDescriptor.h"
#include "presentation/ContentSink.h"

namespace pw {

// Width of every record list column, in pixels.
constexpr int kRecordColumnWidth = 200;

// When `columnCount` is not 0: deletes every row of the record list, then
// list column 0 that many times (never the list's trailing filler column,
// so a count larger than the columns present deletes only those). In every
// case empties the definition window.
void ClearContentPanel(ContentSink& content, int columnCount);

// Whether the descriptor has a column in the record list: columns without
// storage (physical column id -99) are left out unless the catalog is the
// SQL Server 2000 one.
bool isListedColumn(const ColumnDescriptor& descriptor, bool legacyCatalog);

// Deletes every row, then inserts one left-aligned list column per listed
// descriptor of `layout`, in order, headed by the column name and numbered
// 0, 1, 2 … without gaps. Returns the number of list columns inserted.
int SetupRecordColumns(ContentSink& content, const std::vector<ColumnDescriptor>& layout, bool legacyCatalog);

}  // namespace pw
