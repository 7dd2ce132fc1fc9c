#include "storage/IamChain.h"

#include <set>

#include "app/RunContext.h"
#include "storage/DatabaseFile.h"
#include "storage/IamPage.h"

namespace pw {
namespace {

constexpr size_t kMaximumIamPages = 1u << 20;  // far beyond any real chain

// Appends the pages of one IAM page; returns its next-page pointer.
PagePointer appendIamPage(const DatabaseFile& file, const IamPage& iam, std::vector<PagePointer>& pages) {
    for (const PagePointer& slot : iam.singlePageSlots) {
        if (slot.pageNumber > 0 && uint64_t(slot.pageNumber) <= file.pageCountOf(slot.fileNumber) &&
            slot.fileNumber != 0)
            pages.push_back(slot);
    }
    // Extents are bounded by the extent count of the file the IAM page maps.
    uint64_t extentCount = file.pageCountOf(iam.header().thisPage.fileNumber) / 8;
    for (const ExtentEntry& extent : iam.extentList(extentCount)) {
        if (file.context().stop()) break;
        for (const PagePointer& page : extentPages(extent))
            if (page.fileNumber != 0 && page.pageNumber != 0) pages.push_back(page);
    }
    return iam.header().nextPage;
}

}  // namespace

std::vector<PagePointer> iamChainPages(const DatabaseFile& file, PagePointer current) {
    std::vector<PagePointer> pages;
    std::set<PagePointer> visited;
    while (current.pageNumber != 0 && !file.context().stop() && visited.size() < kMaximumIamPages) {
        if (!visited.insert(current).second) break;
        auto iam = file.readIamPage(current);
        if (!iam) break;
        current = appendIamPage(file, *iam, pages);
    }
    return pages;
}

std::vector<PagePointer> iamChainPages(const DatabaseFile& file, const std::vector<PageEntry>& iamPages) {
    std::vector<PagePointer> pages;
    for (const PageEntry& entry : iamPages) {
        if (file.context().stop() || entry.pageNumber == 0) break;
        auto iam = file.readIamPage(PagePointer{entry.fileNumber, entry.pageNumber});
        if (!iam) break;
        appendIamPage(file, *iam, pages);
    }
    return pages;
}

}  // namespace pw
