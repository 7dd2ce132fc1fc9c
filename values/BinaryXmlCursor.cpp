#include "values/BinaryXmlCursor.h"

#include "app/Utf16.h"
#include "values/BinaryXmlTokens.h"

namespace pw::binxml {

bool isValueToken(uint8_t token) {
    switch (token) {
        case kSqlSmallInt: case kSqlInt: case kSqlReal: case kSqlFloat: case kSqlMoney:
        case kSqlBit: case kSqlTinyInt: case kSqlBigInt: case kSqlUuid: case kSqlDecimal:
        case kSqlNumeric: case kSqlBinary: case kSqlChar: case kSqlNChar: case kSqlVarBinary:
        case kSqlVarChar: case kSqlNVarChar: case kSqlDateTime: case kSqlSmallDateTime:
        case kSqlSmallMoney: case kSqlText: case kSqlImage: case kSqlNText: case kSqlUdt:
        case kXsdTimeOffset: case kXsdDateTimeOffset: case kXsdDateOffset: case kXsdTime2:
        case kXsdDateTime2: case kXsdDate2: case kXsdTime: case kXsdDateTime: case kXsdDate:
        case kXsdBinHex: case kXsdBase64: case kXsdBoolean: case kXsdDecimal: case kXsdByte:
        case kXsdUnsignedShort: case kXsdUnsignedInt: case kXsdUnsignedLong: case kXsdQName:
            return true;
        default:
            return false;
    }
}

bool Cursor::readByte(uint8_t& value) {
    if (pos_ >= bytes_.size()) return false;
    value = bytes_[pos_++];
    return true;
}

bool Cursor::take(size_t count, Bytes& out) {
    if (remaining() < count) return false;
    out = bytes_.subspan(pos_, count);
    pos_ += count;
    return true;
}

bool Cursor::readMultiByte(int maxBytes, uint64_t& value) {
    size_t start = pos_;
    value = 0;
    for (int i = 0; i < maxBytes; ++i) {
        if (pos_ >= bytes_.size()) break;
        uint8_t b = bytes_[pos_++];
        value |= uint64_t(b & 0x7F) << (7 * i);
        if ((b & 0x80) == 0) return true;
    }
    pos_ = start;  // cut off, or longer than allowed
    return false;
}

bool Cursor::readMb32(uint32_t& value) {
    uint64_t wide = 0;
    if (!readMultiByte(5, wide) || wide > 0xFFFFFFFFull) return false;
    value = uint32_t(wide);
    return true;
}

bool Cursor::readMb64(uint64_t& value) { return readMultiByte(10, value); }

bool Cursor::readText(std::string& out) {
    size_t start = pos_;
    uint32_t units = 0;
    if (!readMb32(units)) return false;
    // Checked by subtraction before the length is used.
    if (remaining() / 2 < units) {
        pos_ = start;
        return false;
    }
    out += utf16leToUtf8(bytes_.subspan(pos_, size_t(units) * 2));
    pos_ += size_t(units) * 2;
    return true;
}

}  // namespace pw::binxml
