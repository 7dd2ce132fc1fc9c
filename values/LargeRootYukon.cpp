#include "values/LargeRootYukon.h"

namespace pw {
namespace {
constexpr size_t kFirstLink = 20;
constexpr size_t kLinkSize = 12;
}  // namespace

LargeRootYukon::LargeRootYukon(const DatabaseFile* file, Bytes data) : LobStructureBase(file, data) {
    maximumLinks = readU16(data, 10);
    linkCount = readU16(data, 12);
    level = readU16(data, 14);
    for (size_t k = 0; k < linkCount; ++k) {
        size_t at = kFirstLink + k * kLinkSize;
        if (!fits(data, at, kLinkSize)) break;
        LargeRootLink link;
        link.size = readU32(data, at);
        link.rowId = RowId::parse(data, at + 4);
        links.push_back(link);
    }
}

}  // namespace pw
