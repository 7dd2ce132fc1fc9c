#pragma once
// 8-bit character data of a collation's code page turned into UTF-8.

#include <cstdint>
#include <string>

#include "app/RecoveryOptions.h"
#include "storage/ByteReader.h"

namespace pw {

constexpr int32_t kUtf8CodePage = 65001;
constexpr int32_t kDefaultCodePage = 1252;

// Decodes bytes of a Windows code page (874, 932, 936, 949, 950, 1250-1258,
// the OEM pages 437 and 850 of the SQL collations, 65001 = UTF-8) into UTF-8.
// A byte the code page leaves undefined becomes the code point of the same
// number; an invalid multibyte sequence becomes U+FFFD and decoding goes on
// with the next byte. An unknown code page decodes as 1252. Never throws.
std::string decodeCodePage(Bytes bytes, int32_t codePage);
// As decodeCodePage, appending to `out`.
void appendCodePageText(std::string& out, Bytes bytes, int32_t codePage);

// The code page of a column's collation: the database code page when the
// database collation is known and the column has it; else the code page the
// collation list gives for the id (sign-extended); else the database code
// page; else 1252. Ids 0 and -1 mean "no collation".
int32_t codePageForColumn(int32_t collationId, const RecoveryOptions& options);

}  // namespace pw
