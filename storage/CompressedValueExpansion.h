#pragma once
// One column value of a row- or page-compressed record turned back into
// the bytes the ordinary record format keeps for it, so that the row
// decoder reads it as it reads an uncompressed record.
//
// Row compression stores each value in as few bytes as it needs:
// - integers and the types built on integers (bigint, int, smallint,
//   money, smallmoney, datetime, smalldatetime, date, time, datetime2,
//   datetimeoffset): big-endian, with the sign bit inverted, leading bytes
//   dropped; zero takes no bytes at all;
// - float and real: big-endian with the trailing zero bytes dropped;
// - decimal and numeric: the variable-length decimal form;
// - char, nchar, binary: without their trailing blanks (or zero bytes);
// - nchar and nvarchar: Unicode compression (SCSU) when that is shorter,
//   which gives an odd byte count; an even count is plain UTF-16.
// Everything else (tinyint, bit, uniqueidentifier, varchar, varbinary …)
// keeps its bytes. The result never exceeds the type's declared width.

#include <cstdint>
#include <vector>

#include "storage/ByteReader.h"

namespace pw {

struct ColumnDescriptor;

// The width the value takes in the ordinary record: the fixed length of a
// fixed-length type, 0 for a variable-length one.
uint32_t uncompressedWidth(const ColumnDescriptor& column);

// The ordinary bytes of `stored` for `column`; `stored` may be empty (the
// CD code "empty": zero, blanks, an empty string).
std::vector<uint8_t> expandCompressedValue(Bytes stored, const ColumnDescriptor& column);

// The variable-length decimal form turned into the fixed decimal form of
// precision/scale (sign byte 1 positive or 0 negative, then the magnitude
// times 10^scale as a little-endian integer of 4, 8, 12 or 16 bytes). False
// when the bytes do not hold such a number.
bool expandVarDecimal(Bytes stored, uint8_t precision, uint8_t scale, std::vector<uint8_t>& out);

}  // namespace pw
