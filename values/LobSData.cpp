#include "values/LobSData.h"

#include "values/CodePageText.h"
#include "values/HexText.h"

namespace pw {

LobSData::LobSData(const DatabaseFile* file, Bytes data)
    : LobStructureBase(file, data), value_(sliceClamped(data, kLobHeaderSize, data.size())) {}

std::string LobSData::text() const { return decodeCodePage(value_, kDefaultCodePage); }

std::string LobSData::hexText(size_t byteCount) const {
    return hexUpper(value_.first(byteCount < value_.size() ? byteCount : value_.size()));
}

}  // namespace pw
