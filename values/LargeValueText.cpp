#include "values/LargeValueText.h"

#include "values/BinaryXml.h"
#include "values/HexText.h"
#include "values/ValueFormatter.h"

namespace pw {

std::string formatLargeValue(Bytes bytes, const ColumnDescriptor& column, const RunContext& context) {
    switch (column.typeCode) {
        case TypeCode::Image:
        case TypeCode::VarBinary:
        case TypeCode::Binary:
        case TypeCode::ClrType:
        case TypeCode::Geometry:
        case TypeCode::Timestamp:
            return hexUpper(bytes);
        case TypeCode::HierarchyId:
            return "0x" + hexUpper(bytes);
        case TypeCode::Xml: {
            std::string text = convertValueBytes(bytes);
            return text.empty() ? std::string(" ") : text;
        }
        default:
            break;
    }
    // Character data and sql_variant: the formatter's conventions apply to
    // the whole value as if it were stored in the row.
    ColumnReadInfo info = describeColumn(column, nullptr);
    info.variable = true;
    info.valueLength = int32_t(bytes.size() > uint32_t(INT32_MAX) ? INT32_MAX : bytes.size());
    info.availableBytes = bytes.size();
    Bytes present = bytes.data() ? bytes : Bytes(reinterpret_cast<const uint8_t*>(""), size_t(0));
    if (column.typeCode == TypeCode::SqlVariant) return formatVariant(present, info, column, context);
    return formatValue(present, info, column, context);
}

}  // namespace pw
