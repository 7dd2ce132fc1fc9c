#include "storage/PageHeader.h"

#include <cstdio>

#include "storage/PageGeometry.h"

namespace pw {

CPage_Header::CPage_Header(std::span<uint8_t> page) {
    parse(Bytes(page.data(), page.size()));
    if (flagBits & header::kTornPageProtection) repairTornPage(page, tornBits);
}

CPage_Header CPage_Header::parseOnly(Bytes page) {
    CPage_Header h;
    h.parse(page);
    return h;
}

void CPage_Header::parse(Bytes page) {
    using namespace header;
    headerVersion = readU8(page, kVersion);
    pageType = readU8(page, kPageType);
    typeFlagBits = readU8(page, kTypeFlagBits);
    level = readU8(page, kLevel);
    flagBits = readU16(page, kFlagBits);
    indexId = readU16(page, kIndexId);
    previousPage = PagePointer::parse(page, kPreviousPage);
    minimumRecordLength = readU16(page, kMinimumRecordLength);
    nextPage = PagePointer::parse(page, kNextPage);
    slotCount = readI16(page, kSlotCount);
    objectId = readI32(page, kObjectId);
    freeCount = readU16(page, kFreeCount);
    freeDataOffset = readU16(page, kFreeDataOffset);
    thisPage = PagePointer::parse(page, kThisPage);
    reservedCount = readU16(page, kReservedCount);
    lsnFile = readU32(page, kLsn);
    lsnOffset = readU32(page, kLsn + 4);
    lsnSlot = readI16(page, kLsn + 8);
    transactionReservedCount = readU16(page, kTransactionReservedCount);
    transactionIdLow = readU32(page, kTransactionId);
    transactionIdHigh = readI16(page, kTransactionId + 4);
    ghostRecordCount = readU16(page, kGhostRecordCount);
    tornBits = readU32(page, kTornBits);
}

std::string CPage_Header::lsnText() const {
    char text[64];
    std::snprintf(text, sizeof text, "( %d : %d : %d )", int32_t(lsnFile), int32_t(lsnOffset),
                  int(lsnSlot));
    return text;
}

std::string CPage_Header::transactionText() const {
    char text[64];
    std::snprintf(text, sizeof text, "( %d : %d )", int(transactionIdHigh), int32_t(transactionIdLow));
    return text;
}

bool CPage_Header::passesSanityTest() const {
    return slotCount <= 8192 && int16_t(ghostRecordCount) >= 0 && int16_t(freeCount) >= 0 &&
           nextPage.fileNumber >= 0 && nextPage.pageNumber >= 0 && thisPage.fileNumber >= 0 &&
           thisPage.pageNumber >= 0 && previousPage.fileNumber >= 0 && previousPage.pageNumber >= 0;
}

void repairTornPage(std::span<uint8_t> page, uint32_t tornBits) {
    for (size_t sector = 1; sector < 16; ++sector) {
        size_t last = sector * kSectorSize + kSectorSize - 1;
        if (last >= page.size()) break;
        uint8_t saved = uint8_t((tornBits >> (2 * sector)) & 3u);
        page[last] = uint8_t((page[last] & 0xFC) | saved);
    }
}

}  // namespace pw
