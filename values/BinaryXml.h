#pragma once
// SQL Server's binary xml form (the xml column's storage format) turned into
// the xml text SQL Server shows: elements, attributes, namespace
// declarations, escaped text, CDATA sections, comments, processing
// instructions and the typed values of the sql and xsd types.
//
// The bytes are hostile: every read is bounded, nesting and output are
// capped, and malformed input yields the text decoded up to the fault.

#include <cstdint>
#include <string>
#include <vector>

#include "storage/ByteReader.h"

namespace pw {

// The collected bytes of one large xml value, block by block.
using ValueBlocks = std::vector<std::vector<uint8_t>>;

// The xml text of one binary xml value; empty when the bytes do not start
// with the binary xml signature.
std::string convertValueBytes(Bytes bytes);

// Concatenates the blocks in order (empty blocks skipped), clears the list
// and converts the result. An empty list gives an empty text.
std::string convertValueBlocks(ValueBlocks& blocks);

}  // namespace pw
