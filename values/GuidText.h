#pragma once
// uniqueidentifier text: 16 bytes as 8-4-4-4-12 upper-case hexadecimal
// digits, the first three groups little-endian as SQL Server shows them.

#include <string>

#include "storage/ByteReader.h"

namespace pw {

// Appends the 36-character text; fewer than 16 bytes append nothing and
// return false.
bool appendGuidText(std::string& out, Bytes bytes);

}  // namespace pw
