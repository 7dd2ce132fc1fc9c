#include "export/ExportModel.h"

namespace pw {

bool isComputedColumn(const ColumnDescriptor& column) { return column.physicalColumnId == kNotStored; }

bool isInsertableColumn(const ColumnDescriptor& column) {
    return !isComputedColumn(column) && column.typeCode != TypeCode::Timestamp && column.systemTypeId != 189;
}

}  // namespace pw
