#include "catalog/readers/CatalogRecords.h"

#include "app/Utf16.h"

namespace pw::catalog {

std::string variableColumnText(const CPrimaryRecord& record, size_t index) {
    if (index >= record.variableSlices.size()) return {};
    const VariableColumnSlice& slice = record.variableSlices[index];
    if (!slice.present || slice.bytes.empty()) return {};
    return utf16leToUtf8(slice.view());
}

std::string nameOrRepairName(const CPrimaryRecord& record, const char* prefix, uint64_t& repairCounter) {
    std::string name = variableColumnText(record, 0);
    if (!name.empty()) return name;
    // No name column, or a zero-length one: number a generated name.
    name = prefix + std::to_string(repairCounter);
    ++repairCounter;
    return name;
}

}  // namespace pw::catalog
