#pragma once
// A bounded cursor over binary xml bytes: multi-byte integers and
// length-prefixed UTF-16 texts. A read that does not fit fails and leaves
// the cursor where it was; nothing is allocated from an unchecked length.

#include <cstdint>
#include <string>

#include "storage/ByteReader.h"

namespace pw::binxml {

class Cursor {
public:
    explicit Cursor(Bytes bytes) : bytes_(bytes) {}

    size_t position() const { return pos_; }
    size_t remaining() const { return bytes_.size() - pos_; }
    bool atEnd() const { return pos_ >= bytes_.size(); }
    uint8_t peek() const { return readU8(bytes_, pos_); }

    bool readByte(uint8_t& value);
    // Takes `count` bytes as a sub-span.
    bool take(size_t count, Bytes& out);
    // A 7-bit-group little-endian integer of at most 5 bytes (mb32) or 10
    // bytes (mb64).
    bool readMb32(uint32_t& value);
    bool readMb64(uint64_t& value);
    // An mb32 count of UTF-16 code units followed by the units, appended as UTF-8.
    bool readText(std::string& out);

private:
    bool readMultiByte(int maxBytes, uint64_t& value);

    Bytes bytes_;
    size_t pos_ = 0;
};

}  // namespace pw::binxml
