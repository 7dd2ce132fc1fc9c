#include "values/Internal.h"

namespace pw {
namespace {
constexpr size_t kFirstLink = 16;
constexpr size_t kLinkSize = 16;
}  // namespace

Internal::Internal(const DatabaseFile* file, Bytes data) : LobStructureBase(file, data) {
    maximumLinks = readU16(data, 10);
    linkCount = readU16(data, 12);
    level = readU16(data, 14);
    for (size_t k = 0; k < linkCount; ++k) {
        size_t at = kFirstLink + k * kLinkSize;
        if (!fits(data, at, kLinkSize)) break;
        InternalLink link;
        link.offset = readU32(data, at);
        link.secondWord = readU32(data, at + 4);
        link.rowId = RowId::parse(data, at + 8);
        links.push_back(link);
    }
}

}  // namespace pw
