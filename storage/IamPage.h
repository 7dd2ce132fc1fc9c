#pragma once
// Allocation bitmaps. An IAM page has two records: record 0 is the IAM
// header (fixed part from page byte 100: start page at 36, eight single-page
// slots at 42 + 6k), record 1 the extent bitmap. One IAM page covers 63904
// extents (511232 pages) of one file.

#include <cstdint>
#include <vector>

#include "storage/RecordPage.h"

namespace pw {

constexpr size_t kExtentsPerIam = 63904;
constexpr int64_t kPagesPerIam = 511232;

struct ExtentEntry {
    PagePointer firstPage;
    int16_t fileNumber = 0;
    int32_t lastPage = 0;
};

class ExtentAllocationMap : public PrimaryRecordPage {
public:
    ExtentAllocationMap(PageBytes buffer, const DatabaseFile* file, const RecordPageOptions& options);

    // One flag per extent of the covered range (1 when its bit is set).
    std::vector<uint8_t> extentFlags;
};

class IamPage : public ExtentAllocationMap {
public:
    IamPage(PageBytes buffer, const DatabaseFile* file, const RecordPageOptions& options);

    PagePointer startPage;
    PagePointer singlePageSlots[8];
    uint16_t value14 = 0, value32 = 0;
    uint8_t value34 = 0;
    uint32_t value28 = 0, value0 = 0;

    // The extents whose bits are set, below the primary file's extent count.
    std::vector<ExtentEntry> extentList(uint64_t primaryExtentCount) const;
};

// The eight pages of an extent.
std::vector<PagePointer> extentPages(const ExtentEntry& extent);

}  // namespace pw
