#include "catalog/ColumnDescriptor.h"

#include <cstdlib>

namespace pw {

TypeCode typeCodeForSystemType(int id) {
    switch (id) {
        case 127: return TypeCode::BigInt;
        case 173: return TypeCode::Binary;
        case 104: return TypeCode::Bit;
        case 175: return TypeCode::Char;
        case 61: return TypeCode::DateTime;
        case 40: return TypeCode::Date;
        case 41: return TypeCode::Time;
        case 42: return TypeCode::DateTime2;
        case 43: return TypeCode::DateTimeOffset;
        case 56: return TypeCode::Int;
        case 239: return TypeCode::NChar;
        case 231: return TypeCode::NVarChar;
        case 52: return TypeCode::SmallInt;
        case 48: return TypeCode::TinyInt;
        case 36: return TypeCode::UniqueIdentifier;
        case 165: return TypeCode::VarBinary;
        case 167: return TypeCode::VarChar;
        case 232: return TypeCode::SysName;
        case 99: return TypeCode::NText;
        case 98: return TypeCode::SqlVariant;
        case 60: return TypeCode::Money;
        case 62: return TypeCode::Float;
        case 108: return TypeCode::Numeric;
        case 106: return TypeCode::Decimal;
        case 34: return TypeCode::Text;  // the row-layout builder maps 34 to Image
        case 35: return TypeCode::Text;
        case 58: return TypeCode::SmallDateTime;
        case 59: return TypeCode::Real;
        case 122: return TypeCode::SmallMoney;
        case 189: return TypeCode::Timestamp;
        case 240: return TypeCode::ClrType;
        case 241: return TypeCode::Xml;
        default: return TypeCode::Char;
    }
}

int16_t lengthFromTypeText(const std::string& typeText) {
    size_t open = typeText.find('(');
    if (open == std::string::npos) return 0;
    size_t close = typeText.find(')', open + 1);
    std::string inner = typeText.substr(open + 1, close == std::string::npos ? std::string::npos
                                                                               : close - open - 1);
    return int16_t(std::strtol(inner.c_str(), nullptr, 10));
}

ColumnDescriptor::ColumnDescriptor(std::string text, std::string columnName, int32_t code)
    : name(std::move(columnName)), typeText(std::move(text)) {
    if (code > 34 || code < 0) {
        typeCode = TypeCode::VarChar;
        variable = true;
        return;
    }
    typeCode = TypeCode(code);
    switch (code) {
        case 1: case 3: case 10: case 23: case 24:
            length = lengthFromTypeText(typeText);
            variable = false;
            break;
        case 11: case 26: case 33: case 34:
            length = lengthFromTypeText(typeText);
            variable = true;
            break;
        case 18:
            typeCode = TypeCode::NVarChar;
            variable = true;
            length = lengthFromTypeText(typeText);
            break;
        case 19: case 20:
            variable = true;
            length = 0;
            break;
        case 15: case 16: case 17: case 25:
            variable = true;
            break;
        case 31: case 32:
            typeCode = TypeCode::VarChar;
            variable = true;
            break;
        default:
            variable = false;
            break;
    }
}

}  // namespace pw
