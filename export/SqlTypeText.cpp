#include "export/SqlTypeText.h"

#include <algorithm>
#include <cctype>

namespace pw {
namespace {

const char* nameForSystemType(int id) {
    switch (id) {
        case 34: return "image";
        case 35: return "text";
        case 36: return "uniqueidentifier";
        case 40: return "date";
        case 41: return "time";
        case 42: return "datetime2";
        case 43: return "datetimeoffset";
        case 48: return "tinyint";
        case 52: return "smallint";
        case 56: return "int";
        case 58: return "smalldatetime";
        case 59: return "real";
        case 60: return "money";
        case 61: return "datetime";
        case 62: return "float";
        case 98: return "sql_variant";
        case 99: return "ntext";
        case 104: return "bit";
        case 106: return "decimal";
        case 108: return "numeric";
        case 122: return "smallmoney";
        case 127: return "bigint";
        case 165: return "varbinary";
        case 167: return "varchar";
        case 173: return "binary";
        case 175: return "char";
        case 189: return "timestamp";
        case 231: return "nvarchar";
        case 239: return "nchar";
        case 240: return "hierarchyid";
        case 241: return "xml";
        default: return "";
    }
}

const char* nameForTypeCode(TypeCode code) {
    switch (code) {
        case TypeCode::BigInt: return "bigint";
        case TypeCode::Binary: return "binary";
        case TypeCode::Bit: return "bit";
        case TypeCode::Char: return "char";
        case TypeCode::DateTime: return "datetime";
        case TypeCode::Date: return "date";
        case TypeCode::Time: return "time";
        case TypeCode::DateTime2: return "datetime2";
        case TypeCode::DateTimeOffset: return "datetimeoffset";
        case TypeCode::Int: return "int";
        case TypeCode::NChar: return "nchar";
        case TypeCode::NVarChar: return "nvarchar";
        case TypeCode::SmallInt: return "smallint";
        case TypeCode::TinyInt: return "tinyint";
        case TypeCode::UniqueIdentifier: return "uniqueidentifier";
        case TypeCode::VarBinary: return "varbinary";
        case TypeCode::VarChar: return "varchar";
        case TypeCode::SysName: return "nvarchar";
        case TypeCode::NText: return "ntext";
        case TypeCode::SqlVariant: return "sql_variant";
        case TypeCode::Money: return "money";
        case TypeCode::Float: return "float";
        case TypeCode::Numeric: return "numeric";
        case TypeCode::Decimal: return "decimal";
        case TypeCode::Image: return "image";
        case TypeCode::Text: return "text";
        case TypeCode::SmallDateTime: return "smalldatetime";
        case TypeCode::Real: return "real";
        case TypeCode::SmallMoney: return "smallmoney";
        case TypeCode::Timestamp: return "timestamp";
        case TypeCode::HierarchyId: return "hierarchyid";
        case TypeCode::Geometry: return "geometry";
        case TypeCode::ClrType: return "varbinary";
        case TypeCode::Xml: return "xml";
    }
    return "varbinary";
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

}  // namespace

std::string sqlTypeName(const ColumnDescriptor& column) {
    std::string fromText = column.typeText.substr(0, column.typeText.find('('));
    if (!fromText.empty()) return lower(fromText);
    const char* bySystemType = nameForSystemType(column.systemTypeId);
    if (*bySystemType) return bySystemType;
    return nameForTypeCode(column.typeCode);
}

std::string sqlTypeDeclaration(const ColumnDescriptor& column, bool keepMaxLength) {
    std::string name = sqlTypeName(column);
    int length = lengthFromTypeText(column.typeText);
    auto lengthText = [&](int bytes, int unitBytes, int largest) {
        if (bytes < 0) return keepMaxLength ? std::string("(max)") : "(" + std::to_string(largest) + ")";
        int units = bytes / unitBytes;
        if (units < 1) units = 1;
        return "(" + std::to_string(units) + ")";
    };
    if (name == "varchar" || name == "char" || name == "varbinary" || name == "binary")
        return name + lengthText(length, 1, 8000);
    if (name == "nvarchar" || name == "nchar") return name + lengthText(length, 2, 4000);
    if (name == "sysname") return "sysname";
    if (name == "decimal" || name == "numeric")
        return name + "(" + std::to_string(column.precision) + "," + std::to_string(column.scale) + ")";
    if (name == "time" || name == "datetime2" || name == "datetimeoffset")
        return name + "(" + std::to_string(column.scale) + ")";
    return name;
}

}  // namespace pw
