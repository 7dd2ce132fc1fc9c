#pragma once
// The display text of an assembled large value, by the column's type:
// Unicode types as UTF-16 and 8-bit character types through the code page
// of the column's collation (never guessed from the bytes), binary types as
// hexadecimal digits ("0x" is added by the row decoder), xml through the
// binary xml converter and sql_variant through its own formatter.

#include <string>

#include "app/RunContext.h"
#include "catalog/ColumnDescriptor.h"
#include "storage/ByteReader.h"

namespace pw {

std::string formatLargeValue(Bytes bytes, const ColumnDescriptor& column, const RunContext& context);

}  // namespace pw
