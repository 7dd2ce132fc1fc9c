#include "presentation/ContentPanel.h"

#include <algorithm>

namespace pw {

void ClearContentPanel(ContentSink& content, int columnCount) {
    if (columnCount > 0) {
        content.deleteAllRows();
        // The list keeps one empty-headed filler column after the table's.
        const int present = std::max(0, content.columnCount() - 1);
        for (int i = 0; i < std::min(columnCount, present); ++i) content.deleteColumn(0);
    }
    content.setDefinitionText(std::string());
}

bool isListedColumn(const ColumnDescriptor& descriptor, bool legacyCatalog) {
    return legacyCatalog || descriptor.physicalColumnId != kNotStored;
}

int SetupRecordColumns(ContentSink& content, const std::vector<ColumnDescriptor>& layout, bool legacyCatalog) {
    content.deleteAllRows();
    int inserted = 0;
    for (const ColumnDescriptor& descriptor : layout) {
        if (!isListedColumn(descriptor, legacyCatalog)) continue;
        content.insertColumn(inserted, descriptor.name, kRecordColumnWidth);
        ++inserted;
    }
    return inserted;
}

}  // namespace pw
