#pragma once
// SMALL_ROOT (structure type 0): a value short enough to live in its root.
//   10 length (i16) · 12-15 not read · 16 the value bytes
// The length is trusted only within 1 ... 8192 and only as far as the
// record data reaches.

#include <vector>

#include "values/LobStructureBase.h"

namespace pw {

class SmallRoot : public LobStructureBase {
public:
    SmallRoot(const DatabaseFile* file, Bytes data);

    int16_t length() const { return length_; }
    // The value bytes; empty when the length is out of range.
    Bytes value() const { return Bytes(value_.data(), value_.size()); }

private:
    int16_t length_ = 0;
    std::vector<uint8_t> value_;
};

}  // namespace pw
