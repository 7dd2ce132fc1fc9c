#include "export/SqlLiteral.h"

#include <cctype>

namespace pw {
namespace {

bool looksNumeric(const std::string& text) {
    if (text.empty()) return false;
    size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
    bool digit = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) digit = true;
        else if (c != '.' && c != 'e' && c != 'E' && c != '-' && c != '+') return false;
    }
    return digit;
}

bool looksHex(const std::string& text) {
    if (text.size() < 2 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return false;
    for (size_t i = 2; i < text.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out.push_back(c);
        if (c == '\'') out.push_back('\'');
    }
    out.push_back('\'');
    return out;
}

// "2024-01-02 03:04:05.123" -> '2024-01-02T03:04:05.123'; an offset
// " +05:30" is joined without the space.
std::string isoDateTime(const std::string& text) {
    std::string out = text;
    size_t space = out.find(' ');
    if (space != std::string::npos && space == 10) out[space] = 'T';
    size_t offset = out.find(' ', 11);
    if (offset != std::string::npos) out.erase(offset, 1);
    return quoted(out);
}

}  // namespace

std::string unicodeStringLiteral(const std::string& text) { return "N" + quoted(text); }

SqlLiteral sqlLiteral(const std::string& text, bool isNull, const ColumnDescriptor& column) {
    const SqlLiteral bad{"NULL", true};
    if (isNull) return {"NULL", false};
    switch (column.typeCode) {
        case TypeCode::BigInt:
        case TypeCode::Int:
        case TypeCode::SmallInt:
        case TypeCode::TinyInt:
        case TypeCode::Money:
        case TypeCode::SmallMoney:
        case TypeCode::Decimal:
        case TypeCode::Numeric:
        case TypeCode::Float:
        case TypeCode::Real:
            return looksNumeric(text) ? SqlLiteral{text, false} : bad;
        case TypeCode::Bit:
            if (text == "True" || text == "1") return {"1", false};
            if (text == "False" || text == "0") return {"0", false};
            return bad;
        case TypeCode::Binary:
        case TypeCode::VarBinary:
        case TypeCode::Image:
        case TypeCode::Timestamp:
        case TypeCode::HierarchyId:
        case TypeCode::Geometry:
        case TypeCode::ClrType: {
            if (text == " " || text.empty() || text == "0x") return {"0x", false};
            std::string hex = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0 ? text : "0x" + text;
            return looksHex(hex) ? SqlLiteral{hex, false} : bad;
        }
        case TypeCode::DateTime:
        case TypeCode::SmallDateTime:
        case TypeCode::DateTime2:
        case TypeCode::DateTimeOffset:
            return text.empty() ? bad : SqlLiteral{isoDateTime(text), false};
        case TypeCode::Date:
        case TypeCode::Time:
        case TypeCode::UniqueIdentifier:
            return text.empty() ? bad : SqlLiteral{quoted(text), false};
        default:
            break;
    }
    // A varchar column keyed by a code page stays Unicode in the script: the
    // server converts N'…' to the column's collation on insert.
    return {unicodeStringLiteral(text), false};
}

}  // namespace pw
