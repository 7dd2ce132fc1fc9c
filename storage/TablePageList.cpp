#include "storage/TablePageList.h"

#include <set>

#include "app/RunContext.h"
#include "storage/DatabaseFile.h"
#include "storage/IamChain.h"

namespace pw {
namespace {

// No chain is longer than the file has pages; this bounds a walk even when
// the visited set were defeated by damage.
uint64_t chainLimit(const DatabaseFile& file) {
    uint64_t total = file.pageCount;
    for (const auto& [number, entry] : file.secondaryFiles) total += entry.pageCount;
    return total + 1;
}

TablePageList advancedCandidate(const TablePageInputs& inputs) {
    return {TablePageSource::AdvancedList, advancedPageList(inputs.selectedDataPages), false};
}

std::vector<TablePageList> standardModern(const DatabaseFile& file, const TablePageInputs& inputs) {
    std::vector<TablePageList> plan;
    if (inputs.firstIamPage.pageNumber <= 0) {
        const bool emptyTable = inputs.rowsetRowCount == 0 && inputs.firstIamPage.pageNumber == 0 &&
                                inputs.firstPage.pageNumber == 0;
        if (!emptyTable) plan.push_back(advancedCandidate(inputs));
        return plan;
    }
    const bool firstValid = isValidPageAddress(file, inputs.firstPage);
    const bool iamValid = isValidPageAddress(file, inputs.firstIamPage);
    if (inputs.rowsetIndexId != 0) {
        if (firstValid) {
            auto header = file.readHeader(inputs.firstPage);
            if (header && header->pageType == kDataPage && header->previousPage.pageNumber == 0) {
                TablePageList chain{TablePageSource::PageChain, {}, true};
                chainPages(file, inputs.firstPage, false, chain.pages);
                plan.push_back(std::move(chain));
            }
        }
        if (iamValid) {
            plan.push_back({TablePageSource::IamChain, iamChainPages(file, inputs.firstIamPage), false});
        } else {
            if (!plan.empty()) plan.back().nextWhenNoRows = true;
            plan.push_back(advancedCandidate(inputs));
        }
        return plan;
    }
    if (iamValid) {
        plan.push_back({TablePageSource::IamChain, iamChainPages(file, inputs.firstIamPage), false});
    } else if (firstValid) {
        TablePageList chain{TablePageSource::PageChain, {}, false};
        chainPages(file, inputs.firstPage, false, chain.pages);
        plan.push_back(std::move(chain));
    } else {
        plan.push_back(advancedCandidate(inputs));
    }
    return plan;
}

std::vector<TablePageList> standardLegacy(const DatabaseFile& file, const TablePageInputs& inputs) {
    std::vector<TablePageList> plan;
    if (inputs.legacyClusteredFirstPage) {
        TablePageList chain{TablePageSource::PageChain, {}, false};
        chainPages(file, *inputs.legacyClusteredFirstPage, true, chain.pages);
        if (chain.pages.empty()) plan.push_back(advancedCandidate(inputs));
        else plan.push_back(std::move(chain));
        return plan;
    }
    const auto& iam = inputs.legacyIamPages;
    if (!iam.empty() && isValidPageAddress(file, PagePointer{iam.front().fileNumber, iam.front().pageNumber}))
        plan.push_back({TablePageSource::IamChain, iamChainPages(file, iam), false});
    return plan;
}

}  // namespace

bool isValidPageAddress(const DatabaseFile& file, PagePointer page) {
    return page.pageNumber > 0 && uint64_t(page.pageNumber) < file.pageCountOf(page.fileNumber);
}

void chainPages(const DatabaseFile& file, PagePointer firstPage, bool legacyCatalog,
                std::vector<PagePointer>& pages) {
    std::set<PagePointer> visited;
    const uint64_t limit = chainLimit(file);
    PagePointer current = firstPage;
    if (!legacyCatalog) {
        if (firstPage.fileNumber != 0 && firstPage.pageNumber != 0) pages.push_back(firstPage);
        while (current.pageNumber != 0 && !file.context().stop() && visited.size() < limit) {
            auto header = file.readHeader(current);
            if (!header) break;
            if (!visited.insert(current).second) break;
            PagePointer next = header->nextPage;
            if (next.fileNumber != 0 && next.pageNumber != 0 && header->pageType == kDataPage &&
                visited.find(next) == visited.end())
                pages.push_back(next);
            current = next;
        }
        return;
    }
    while (current.pageNumber != 0 && !file.context().stop() && visited.size() < limit) {
        auto header = file.readHeader(current);
        if (!header) break;
        if (current.fileNumber != 0) {
            if (!visited.insert(current).second) break;
            pages.push_back(current);
        }
        current = header->nextPage;
    }
}

std::vector<PagePointer> advancedPageList(const std::vector<PagePointer>& selectedDataPages) {
    std::vector<PagePointer> pages;
    pages.reserve(selectedDataPages.size());
    for (const PagePointer& page : selectedDataPages)
        if (page.fileNumber != 0 && page.pageNumber != 0) pages.push_back(page);
    return pages;
}

std::vector<TablePageList> buildTablePageList(const DatabaseFile& file, const TablePageInputs& inputs) {
    if (inputs.advancedMode) return {advancedCandidate(inputs)};
    return inputs.legacyCatalog ? standardLegacy(file, inputs) : standardModern(file, inputs);
}

}  // namespace pw
