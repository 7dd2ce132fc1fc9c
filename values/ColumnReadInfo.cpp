#include "values/ColumnReadInfo.h"

namespace pw {
namespace {

void setLengths(ColumnReadInfo& info, int32_t fixedLength, int32_t valueLength, bool variable) {
    info.fixedLength = uint16_t(fixedLength < 0 ? 0 : fixedLength);
    info.valueLength = valueLength;
    info.variable = variable;
}

}  // namespace

ColumnReadInfo describeColumn(const ColumnDescriptor& column, BitCursor* cursor) {
    ColumnReadInfo info;
    info.bitCursor = cursor;
    info.typeCode = column.typeCode;
    const int32_t length = column.length;
    switch (column.typeCode) {
        case TypeCode::BigInt:
        case TypeCode::DateTime:
        case TypeCode::DateTime2:
        case TypeCode::Float:
        case TypeCode::Money:
        case TypeCode::Timestamp:
            setLengths(info, 8, 8, false);
            break;
        case TypeCode::Binary:
        case TypeCode::Char:
        case TypeCode::Decimal:
            setLengths(info, length, length, false);
            break;
        case TypeCode::Bit: {
            int32_t fixed = 1;
            if (cursor != nullptr) {
                if (cursor->bitPosition == 8) {
                    cursor->byteTaken = true;
                } else {
                    fixed = 0;
                }
            }
            setLengths(info, fixed, 1, false);
            break;
        }
        case TypeCode::Date:
            setLengths(info, 3, 3, false);
            break;
        case TypeCode::Time:
            setLengths(info, 5, 5, false);
            break;
        case TypeCode::DateTimeOffset:
            setLengths(info, 10, 10, false);
            break;
        case TypeCode::Int:
        case TypeCode::SmallDateTime:
        case TypeCode::Real:
        case TypeCode::SmallMoney:
            setLengths(info, 4, 4, false);
            break;
        case TypeCode::NChar:
        case TypeCode::NVarChar:
        case TypeCode::NText:
        case TypeCode::SqlVariant:
        case TypeCode::Text:
        case TypeCode::HierarchyId:
        case TypeCode::Geometry:
        case TypeCode::ClrType:
            setLengths(info, length, length, column.variable);
            break;
        case TypeCode::SmallInt:
            setLengths(info, 2, 2, false);
            break;
        case TypeCode::TinyInt:
            setLengths(info, 1, 1, false);
            break;
        case TypeCode::UniqueIdentifier:
            setLengths(info, 16, 16, false);
            break;
        case TypeCode::VarBinary:
        case TypeCode::Image:
        case TypeCode::Xml:
            setLengths(info, 0, length, true);
            break;
        case TypeCode::VarChar:
            setLengths(info, 0, length, column.variable);
            break;
        case TypeCode::Numeric:
            setLengths(info, 19, 19, false);
            break;
        default:
            setLengths(info, 0, length, column.variable);
            break;
    }
    return info;
}

}  // namespace pw
