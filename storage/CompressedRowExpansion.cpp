#include "storage/CompressedRowExpansion.h"

namespace pw {

void buildAnchorValues(PrimaryRecordPage&, const CPrimaryRecord&, const std::vector<ColumnDescriptor>&) {}

bool expandRecord(CPrimaryRecord&, const PrimaryRecordPage&, const std::vector<ColumnDescriptor>&) {
    return false;
}

}  // namespace pw
