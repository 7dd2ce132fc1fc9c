#pragma once
// DATA (structure type 3): a piece of a value's bytes.
//   10 the value bytes, to the end of the record data
// The bytes are not copied: the object points into the record data it was
// built from, which must outlive it.

#include "values/LobStructureBase.h"

namespace pw {

class LobSData : public LobStructureBase {
public:
    LobSData(const DatabaseFile* file, Bytes data);

    Bytes value() const { return value_; }
    // The bytes as single-byte text of Windows code page 1252, whole (a zero
    // byte does not end it).
    std::string text() const override;
    // Two upper-case hexadecimal digits for each of the first `byteCount`
    // bytes (fewer when the piece is shorter), without prefix.
    std::string hexText(size_t byteCount) const override;

private:
    Bytes value_;
};

}  // namespace pw
