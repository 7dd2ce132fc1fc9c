#pragma once
// The 96-byte header at the start of every page, and the repair of
// torn-page protection. Layout (little-endian):
//   0 header version · 1 page type · 2 type flag bits (0x80: compression info)
//   3 level · 4 flag bits (0x0100: torn-page protection) · 6 index id
//   8 previous page · 14 pminlen · 16 next page · 22 slot count
//   24 object id · 28 free count · 30 free data offset · 32 this page
//   38 reserved count · 40 LSN (u32, u32, u16) · 50 xact reserved count
//   52 transaction id (u32 at 52, u16 at 56) · 58 ghost record count
//   60 torn bits (two saved bits for each of the 16 sectors)

#include <cstdint>
#include <span>
#include <string>

#include "storage/PagePointer.h"

namespace pw {

namespace header {
constexpr size_t kVersion = 0;
constexpr size_t kPageType = 1;
constexpr size_t kTypeFlagBits = 2;
constexpr size_t kLevel = 3;
constexpr size_t kFlagBits = 4;
constexpr size_t kIndexId = 6;
constexpr size_t kPreviousPage = 8;
constexpr size_t kMinimumRecordLength = 14;
constexpr size_t kNextPage = 16;
constexpr size_t kSlotCount = 22;
constexpr size_t kObjectId = 24;
constexpr size_t kFreeCount = 28;
constexpr size_t kFreeDataOffset = 30;
constexpr size_t kThisPage = 32;
constexpr size_t kThisFile = 36;
constexpr size_t kReservedCount = 38;
constexpr size_t kLsn = 40;
constexpr size_t kTransactionReservedCount = 50;
constexpr size_t kTransactionId = 52;
constexpr size_t kGhostRecordCount = 58;
constexpr size_t kTornBits = 60;
constexpr uint16_t kTornPageProtection = 0x0100;
constexpr uint8_t kHasCompressionInfo = 0x80;
}  // namespace header

enum PageType : int32_t {
    kDataPage = 1,
    kIndexPage = 2,
    kTextMixPage = 3,
    kTextTreePage = 4,
    kSortPage = 7,
    kGamPage = 8,
    kSgamPage = 9,
    kIamPage = 10,
    kPfsPage = 11,
    kBootPage = 13,
    kFileHeaderPage = 15,
    kDiffMapPage = 16,
    kMlMapPage = 17,
};

class CPage_Header {
public:
    CPage_Header() = default;
    // Parses the header and, when torn-page protection is on, restores the
    // two saved low bits of the last byte of sectors 1..15 in `page`.
    // Accepts any bytes; a buffer shorter than a page is read as far as it goes.
    explicit CPage_Header(std::span<uint8_t> page);
    // Parses without touching the buffer (no torn-page repair).
    static CPage_Header parseOnly(Bytes page);
    virtual ~CPage_Header() = default;

    uint16_t freeCount = 0;
    uint16_t freeDataOffset = 0;
    uint16_t flagBits = 0;
    uint32_t lsnFile = 0;
    uint32_t lsnOffset = 0;
    int16_t lsnSlot = 0;
    int32_t objectId = 0;
    int32_t pageType = 0;
    uint16_t minimumRecordLength = 0;
    uint16_t indexId = 0;
    uint8_t typeFlagBits = 0;
    int16_t slotCount = 0;
    uint32_t transactionIdLow = 0;
    int16_t transactionIdHigh = 0;
    uint16_t transactionReservedCount = 0;
    uint16_t reservedCount = 0;
    uint8_t level = 0;
    uint8_t headerVersion = 0;
    uint16_t ghostRecordCount = 0;
    uint32_t tornBits = 0;
    PagePointer nextPage;
    PagePointer previousPage;
    PagePointer thisPage;

    // "( %d : %d : %d )"
    std::string lsnText() const;
    // "( %d : %d )": the 16-bit part first, then the 32-bit part.
    std::string transactionText() const;
    // The page passes the sanity test of the record builder: ghost count,
    // free count and the three page pointers are non-negative as signed values.
    bool passesSanityTest() const;

private:
    void parse(Bytes page);
};

// Restores torn-page bits in place; exposed for the fixture writer's tests.
void repairTornPage(std::span<uint8_t> page, uint32_t tornBits);

}  // namespace pw
