#pragma once
// Token bytes of the binary xml format.

#include <cstdint>

namespace pw::binxml {

// Document header: signature DF FF, version 1 or 2, code page 1200 (UTF-16LE).
constexpr uint8_t kSignature0 = 0xDF;
constexpr uint8_t kSignature1 = 0xFF;
constexpr uint16_t kUtf16CodePage = 1200;

// Markup tokens.
constexpr uint8_t kXmlDecl = 0xFE;
constexpr uint8_t kEncoding = 0xFD;
constexpr uint8_t kDocType = 0xFC;
constexpr uint8_t kSystem = 0xFB;
constexpr uint8_t kPublic = 0xFA;
constexpr uint8_t kSubset = 0xF9;
constexpr uint8_t kElement = 0xF8;
constexpr uint8_t kEndElement = 0xF7;
constexpr uint8_t kAttribute = 0xF6;
constexpr uint8_t kEndAttributes = 0xF5;
constexpr uint8_t kProcessingInstruction = 0xF4;
constexpr uint8_t kComment = 0xF3;
constexpr uint8_t kCData = 0xF2;
constexpr uint8_t kEndCData = 0xF1;
constexpr uint8_t kName = 0xF0;          // defines the next name (symbol)
constexpr uint8_t kQName = 0xEF;         // defines the next qualified name
constexpr uint8_t kXmlText = 0xED;       // literal xml text
constexpr uint8_t kNest = 0xEC;          // a nested document with its own tables
constexpr uint8_t kEndNest = 0xEB;
constexpr uint8_t kExtension = 0xEA;     // length-prefixed bytes to skip
constexpr uint8_t kNameFlush = 0xE9;     // clears the name tables

// Atomic value tokens.
constexpr uint8_t kSqlSmallInt = 0x01;
constexpr uint8_t kSqlInt = 0x02;
constexpr uint8_t kSqlReal = 0x03;
constexpr uint8_t kSqlFloat = 0x04;
constexpr uint8_t kSqlMoney = 0x05;
constexpr uint8_t kSqlBit = 0x06;
constexpr uint8_t kSqlTinyInt = 0x07;
constexpr uint8_t kSqlBigInt = 0x08;
constexpr uint8_t kSqlUuid = 0x09;
constexpr uint8_t kSqlDecimal = 0x0A;
constexpr uint8_t kSqlNumeric = 0x0B;
constexpr uint8_t kSqlBinary = 0x0C;
constexpr uint8_t kSqlChar = 0x0D;
constexpr uint8_t kSqlNChar = 0x0E;
constexpr uint8_t kSqlVarBinary = 0x0F;
constexpr uint8_t kSqlVarChar = 0x10;
constexpr uint8_t kSqlNVarChar = 0x11;
constexpr uint8_t kSqlDateTime = 0x12;
constexpr uint8_t kSqlSmallDateTime = 0x13;
constexpr uint8_t kSqlSmallMoney = 0x14;
constexpr uint8_t kSqlText = 0x16;
constexpr uint8_t kSqlImage = 0x17;
constexpr uint8_t kSqlNText = 0x18;
constexpr uint8_t kSqlUdt = 0x1B;
constexpr uint8_t kXsdTimeOffset = 0x7A;      // scale, time, date, zone (UTC)
constexpr uint8_t kXsdDateTimeOffset = 0x7B;
constexpr uint8_t kXsdDateOffset = 0x7C;
constexpr uint8_t kXsdTime2 = 0x7D;           // scale, time, date
constexpr uint8_t kXsdDateTime2 = 0x7E;
constexpr uint8_t kXsdDate2 = 0x7F;           // date only
constexpr uint8_t kXsdTime = 0x81;
constexpr uint8_t kXsdDateTime = 0x82;
constexpr uint8_t kXsdDate = 0x83;
constexpr uint8_t kXsdBinHex = 0x84;
constexpr uint8_t kXsdBase64 = 0x85;
constexpr uint8_t kXsdBoolean = 0x86;
constexpr uint8_t kXsdDecimal = 0x87;
constexpr uint8_t kXsdByte = 0x88;
constexpr uint8_t kXsdUnsignedShort = 0x89;
constexpr uint8_t kXsdUnsignedInt = 0x8A;
constexpr uint8_t kXsdUnsignedLong = 0x8B;
constexpr uint8_t kXsdQName = 0x8C;

// True for the tokens that carry an atomic value.
bool isValueToken(uint8_t token);

}  // namespace pw::binxml
