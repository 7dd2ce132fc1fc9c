#pragma once
// The structures a large value (text, ntext, image, the max types, xml,
// row-overflow data) is kept in. Each large-value record's data starts with
// a common 10-byte header, little-endian:
//   0  blob id (8 bytes)
//   8  structure type (u16): 0 SMALL_ROOT, 2 INTERNAL, 3 DATA, 4/5/6 large
//      roots; 1, 7, 8 and any other type hold no value here
// followed by the structure itself. A structure object lives only while one
// value is assembled; it never reads outside the record data it was given.

#include <cstdint>
#include <string>

#include "storage/ByteReader.h"

namespace pw {

class DatabaseFile;

constexpr size_t kLobHeaderSize = 10;  // blob id + structure type

enum class LobStructureType : uint16_t {
    SmallRoot = 0,
    LargeRoot = 1,
    Internal = 2,
    Data = 3,
    LargeRootShiloh = 4,
    LargeRootYukon = 5,
    SuperLargeRoot = 6,
    Null = 8,
};

class LobStructureBase {
public:
    // `data` is the record data from the blob id on.
    LobStructureBase(const DatabaseFile* file, Bytes data);
    virtual ~LobStructureBase() = default;

    // The value of this structure alone as text, and its first `byteCount`
    // bytes as upper-case hexadecimal digits; empty for every structure
    // that holds no bytes of its own.
    virtual std::string text() const { return {}; }
    virtual std::string hexText(size_t byteCount) const {
        (void)byteCount;
        return {};
    }

    const DatabaseFile* file() const { return file_; }
    uint32_t blobIdLow() const { return blobIdLow_; }
    uint32_t blobIdHigh() const { return blobIdHigh_; }

private:
    const DatabaseFile* file_;
    uint32_t blobIdLow_ = 0;
    uint32_t blobIdHigh_ = 0;
};

}  // namespace pw
