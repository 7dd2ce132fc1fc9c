#pragma once
// decimal and numeric: a sign byte (0 negative, anything else positive)
// followed by an unsigned little-endian magnitude of 4, 8, 12 or 16 bytes
// chosen by the precision.

#include <cstdint>
#include <string>

#include "storage/ByteReader.h"

namespace pw {

// Magnitude width in bytes for a precision (1-9: 4, 10-19: 8, 20-28: 12,
// 29 and above: 16; 0 counts as 1).
size_t decimalMagnitudeWidth(uint8_t precision);

// Appends the text of the sign-and-magnitude bytes. Bytes missing at the end
// read as zero. The text always has a digit before the point ("0.05" for 5 at
// scale 2). Returns false (appending nothing) when the scale is positive and
// the digits exceed precision + scale.
bool appendDecimalText(std::string& out, Bytes signAndMagnitude, uint8_t precision, uint8_t scale);

}  // namespace pw
