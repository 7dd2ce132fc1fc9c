#pragma once
// Rebuilding a definition text (view, procedure, check constraint, computed
// column …) from the pieces of the object definition table.
//
// Each piece's value text is turned back into bytes: the digits after the
// two-character "0x" prefix, two per byte, high digit first ("0"-"9" and
// "A"-"F"; any other digit counts as 0). A piece with a zero byte anywhere
// but at its start is UTF-16LE text; any other piece is single-byte text of
// the Windows ANSI code page (1252), appended only when it differs from the
// text built so far.

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/DefinitionRow.h"

namespace pw {

// The bytes of a value text ("0x4142" -> {0x41, 0x42}).
std::vector<uint8_t> bytesFromHexText(const std::string& valueText);

// The text of every row whose object id text equals `objectIdText`, in the
// rows' order. Empty when there is none.
std::string definitionTextFor(const std::vector<DefinitionRow>& rows, const std::string& objectIdText);

// As above, only rows whose sub-id text also equals `subIdText` (the text
// of a computed column).
std::string definitionTextFor(const std::vector<DefinitionRow>& rows, const std::string& objectIdText,
                              const std::string& subIdText);

}  // namespace pw
