#pragma once
// The address of a page: file number and page number. On disk six bytes,
// page number (u32) first, then file number (u16).

#include <cstdint>
#include <functional>

#include "storage/ByteReader.h"

namespace pw {

struct PagePointer {
    int16_t fileNumber = 1;
    int32_t pageNumber = 0;

    static PagePointer parse(Bytes bytes, size_t offset) {
        PagePointer p;
        p.pageNumber = readI32(bytes, offset);
        p.fileNumber = readI16(bytes, offset + 4);
        return p;
    }
    bool operator==(const PagePointer&) const = default;
    auto operator<=>(const PagePointer&) const = default;
};

// A record address: page and slot. On disk eight bytes: page number (u32),
// file number (u16), slot (u16).
struct RowId {
    PagePointer page;
    int16_t slot = 0;

    static RowId parse(Bytes bytes, size_t offset) {
        RowId r;
        r.page = PagePointer::parse(bytes, offset);
        r.slot = readI16(bytes, offset + 6);
        return r;
    }
    bool operator==(const RowId&) const = default;
    auto operator<=>(const RowId&) const = default;
};

}  // namespace pw
