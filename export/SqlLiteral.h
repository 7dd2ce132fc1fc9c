#pragma once
// Exact T-SQL literals for decoded values: N'…' with doubled quotes for
// character data, 0x… for binary, unambiguous ISO 8601 date-time literals,
// bare numbers, NULL.

#include <string>

#include "catalog/ColumnDescriptor.h"

namespace pw {

struct SqlLiteral {
    std::string text;
    // The decoded text could not be read as a value of the column's type; the
    // literal is NULL and the caller counts it.
    bool undecodable = false;
};

// `text` is the decoded display text of a value of `column`'s type.
SqlLiteral sqlLiteral(const std::string& text, bool isNull, const ColumnDescriptor& column);

// 'It''s' with every single quote doubled, prefixed with N.
std::string unicodeStringLiteral(const std::string& text);

}  // namespace pw
