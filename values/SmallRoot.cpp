#include "values/SmallRoot.h"

namespace pw {
namespace {
constexpr size_t kLengthOffset = 10;
constexpr size_t kValueOffset = 16;
constexpr int16_t kMaximumLength = 8192;
}  // namespace

SmallRoot::SmallRoot(const DatabaseFile* file, Bytes data) : LobStructureBase(file, data) {
    length_ = readI16(data, kLengthOffset);
    if (length_ < 1 || length_ > kMaximumLength) return;
    Bytes value = sliceClamped(data, kValueOffset, size_t(length_));
    value_.assign(value.begin(), value.end());
}

}  // namespace pw
