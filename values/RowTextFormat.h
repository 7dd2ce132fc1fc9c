#pragma once
// Decoded rows written as lines of text for streaming output:
// - tsv: values separated by TAB; NULL is \N; TAB, LF, CR and backslash
//   inside a value are written \t, \n, \r and \\.
// - csv: values separated by commas; NULL is an empty unquoted field; every
//   other value is quoted ("" inside), so an empty text reads as "".
// - json: one array per row; NULL is null; texts are JSON strings.
// A header line (column names) uses the same rules.

#include <string>
#include <string_view>
#include <vector>

#include "values/DecodedRow.h"

namespace pw {

enum class RowTextFormat { Tsv, Csv, Json };

void appendTsvValue(std::string& out, std::string_view text);
void appendCsvValue(std::string& out, std::string_view text);
void appendJsonString(std::string& out, std::string_view text);

// One line (with its final newline) for `row`.
void appendRowLine(std::string& out, const DecodedRow& row, RowTextFormat format);
// The header line of column names.
void appendHeaderLine(std::string& out, const std::vector<std::string>& names, RowTextFormat format);

}  // namespace pw
