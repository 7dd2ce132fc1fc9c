#pragma once
// The text of one column value, by the column's type code, as the record
// list shows it. Too few bytes, absent bytes or an unknown type give an
// empty text; nothing here throws or reads past the given bytes.

#include <string>

#include "app/RunContext.h"
#include "catalog/ColumnDescriptor.h"
#include "storage/ByteReader.h"
#include "values/ColumnReadInfo.h"

namespace pw {

// `value.size()` is the number of bytes that may be read from the value
// start; an empty span whose data() is null means the bytes are absent.
// Updates `info` as the row decoder expects: the consumed length (the
// declared length n for most types, 0 or 1 for bit columns) and, for the
// types that report n, the value length.
std::string formatValue(Bytes value, ColumnReadInfo& info, const ColumnDescriptor& column,
                        const RunContext& context);

// The text of a sql_variant value; `value.size()` is its total length.
std::string formatVariant(Bytes value, ColumnReadInfo& info, const ColumnDescriptor& column,
                          const RunContext& context);

// The declared length of a type text: the decimal digits after the first
// "(" up to the first non-digit; 0 when absent ("(max)", "(-1)").
uint32_t declaredLength(const std::string& typeText);

}  // namespace pw
