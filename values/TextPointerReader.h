#pragma once
// A 16-byte text pointer, as a record keeps it for a text, ntext or image
// value stored outside the row:
//   0 timestamp (8 bytes) · 8 page (u32) · 12 file (u16) · 14 slot (u16)
// The pointer names the large-value record that roots the value.

#include <cstdint>

#include "storage/PagePointer.h"

namespace pw {

constexpr size_t kTextPointerSize = 16;

class TextPointerReader {
public:
    explicit TextPointerReader(Bytes pointer);

    // The pointer held exactly 16 bytes.
    bool valid() const { return valid_; }
    uint32_t firstWord() const { return firstWord_; }
    uint64_t timestamp() const { return timestamp_; }
    const RowId& rowId() const { return rowId_; }

private:
    bool valid_ = false;
    uint32_t firstWord_ = 0;
    uint64_t timestamp_ = 0;
    RowId rowId_;
};

}  // namespace pw
