#pragma once
// The one bounds-checked way to read little-endian fields out of untrusted
// bytes. A field that does not lie wholly inside the bytes reads as 0; the
// checks are written by subtraction so that no offset can overflow.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace pw {

using Bytes = std::span<const uint8_t>;

inline bool fits(Bytes bytes, size_t offset, size_t width) {
    return offset <= bytes.size() && bytes.size() - offset >= width;
}

inline uint8_t readU8(Bytes bytes, size_t offset) {
    return offset < bytes.size() ? bytes[offset] : 0;
}

inline uint16_t readU16(Bytes bytes, size_t offset) {
    if (!fits(bytes, offset, 2)) return 0;
    return uint16_t(bytes[offset] | (bytes[offset + 1] << 8));
}

inline int16_t readI16(Bytes bytes, size_t offset) { return int16_t(readU16(bytes, offset)); }

inline uint32_t readU32(Bytes bytes, size_t offset) {
    if (!fits(bytes, offset, 4)) return 0;
    return uint32_t(bytes[offset]) | (uint32_t(bytes[offset + 1]) << 8) |
           (uint32_t(bytes[offset + 2]) << 16) | (uint32_t(bytes[offset + 3]) << 24);
}

inline int32_t readI32(Bytes bytes, size_t offset) { return int32_t(readU32(bytes, offset)); }

inline uint64_t readU64(Bytes bytes, size_t offset) {
    if (!fits(bytes, offset, 8)) return 0;
    return uint64_t(readU32(bytes, offset)) | (uint64_t(readU32(bytes, offset + 4)) << 32);
}

inline int64_t readI64(Bytes bytes, size_t offset) { return int64_t(readU64(bytes, offset)); }

// Unsigned little-endian integer of `width` (0..8) bytes.
inline uint64_t readUnsigned(Bytes bytes, size_t offset, size_t width) {
    if (width > 8 || !fits(bytes, offset, width)) return 0;
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i) value |= uint64_t(bytes[offset + i]) << (8 * i);
    return value;
}

// The sub-span [offset, offset + width) clamped to what the bytes hold.
inline Bytes sliceClamped(Bytes bytes, size_t offset, size_t width) {
    if (offset >= bytes.size()) return {};
    size_t available = bytes.size() - offset;
    return bytes.subspan(offset, width < available ? width : available);
}

}  // namespace pw
