#include "storage/IamPage.h"

namespace pw {

ExtentAllocationMap::ExtentAllocationMap(PageBytes buffer, const DatabaseFile* file,
                                         const RecordPageOptions& options)
    : PrimaryRecordPage(std::move(buffer), file, options) {
    if (records.size() < 2 || !records[1] || records[1]->fixedPart.empty()) return;
    const auto& bitmap = records[1]->fixedPart;
    extentFlags.reserve(kExtentsPerIam);
    for (uint8_t byte : bitmap) {
        for (int bit = 0; bit < 8 && extentFlags.size() < kExtentsPerIam; ++bit)
            extentFlags.push_back((byte >> bit) & 1);
        if (extentFlags.size() >= kExtentsPerIam) break;
    }
}

IamPage::IamPage(PageBytes buffer, const DatabaseFile* file, const RecordPageOptions& options)
    : ExtentAllocationMap(std::move(buffer), file, options) {
    for (auto& slot : singlePageSlots) slot = PagePointer{1, 0};
    if (records.empty() || !records[0] || records[0]->fixedPart.empty()) return;
    Bytes fixed = records[0]->fixedView();
    value0 = readU32(fixed, 0);
    value14 = readU16(fixed, 14);
    value28 = readU32(fixed, 28);
    value32 = readU16(fixed, 32);
    value34 = readU8(fixed, 34);
    startPage = PagePointer::parse(fixed, 36);
    for (size_t k = 0; k < 8; ++k) singlePageSlots[k] = PagePointer::parse(fixed, 42 + 6 * k);
}

std::vector<ExtentEntry> IamPage::extentList(uint64_t primaryExtentCount) const {
    std::vector<ExtentEntry> extents;
    int64_t base = (int64_t(header().thisPage.pageNumber) / kPagesPerIam) * kPagesPerIam;
    for (size_t i = 0; i < extentFlags.size() && i < primaryExtentCount; ++i) {
        if (!extentFlags[i]) continue;
        ExtentEntry extent;
        extent.firstPage = PagePointer{header().thisPage.fileNumber, int32_t(base + 8 * int64_t(i))};
        extent.fileNumber = header().thisPage.fileNumber;
        extent.lastPage = extent.firstPage.pageNumber + 7;
        extents.push_back(extent);
    }
    return extents;
}

std::vector<PagePointer> extentPages(const ExtentEntry& extent) {
    std::vector<PagePointer> pages;
    for (int32_t k = 0; k < 8; ++k) pages.push_back(PagePointer{extent.fileNumber, extent.firstPage.pageNumber + k});
    return pages;
}

}  // namespace pw
