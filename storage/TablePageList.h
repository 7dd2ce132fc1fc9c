#pragma once
// Which pages hold a table's rows, and in which order they are read.
//
// Advanced mode takes the data pages the mapping pass attributed to the
// table's allocation unit and trusts no allocation structure. Standard mode
// follows the table's own structures: with the 2005-and-later catalog the
// rowset's index id chooses between the chain of leaf pages (clustered
// index) and the IAM chain (heap), each falling back on the other; with the
// SQL Server 2000 catalog the clustered index's first page starts a chain,
// else the IAM pages the mapping pass found are walked. A path that finds no
// usable allocation falls back on the Advanced list.
//
// The plan is a list of candidate page lists: the first is read; the next
// is tried only when a list marked `nextWhenNoRows` yields no row.

#include <cstdint>
#include <optional>
#include <vector>

#include "storage/PageEntry.h"
#include "storage/PagePointer.h"

namespace pw {

class DatabaseFile;

enum class TablePageSource { None, PageChain, IamChain, AdvancedList };

struct TablePageList {
    TablePageSource source = TablePageSource::AdvancedList;
    std::vector<PagePointer> pages;  // in reading order; a page may repeat (IAM walk)
    bool nextWhenNoRows = false;
};

// What the selected object contributes to its page list.
struct TablePageInputs {
    bool advancedMode = false;
    bool legacyCatalog = false;
    // 2005 and later: the chosen allocation unit and rowset.
    PagePointer firstPage{0, 0};
    PagePointer firstIamPage{0, 0};
    int32_t rowsetIndexId = 0;
    // The rowset's row count; -1 when unknown. A rowset that counts no rows
    // and whose unit has neither a first page nor a first IAM page is an
    // empty table, not a damaged one: its leftover pages (a truncated
    // table's) are shown in Advanced mode only.
    int64_t rowsetRowCount = -1;
    // SQL Server 2000: the first page of the clustered index, when the
    // table has one, and the IAM pages the mapping pass found for it.
    std::optional<PagePointer> legacyClusteredFirstPage;
    std::vector<PageEntry> legacyIamPages;
    // The mapping pass's data pages of the table's allocation units.
    std::vector<PagePointer> selectedDataPages;
};

// Whether (f, p) may be read for a page list: p > 0 and p below the page
// count of file f.
bool isValidPageAddress(const DatabaseFile& file, PagePointer page);

// The pages of a chain of linked pages from `firstPage`, by the rules of
// the catalog form. 2005 and later: the first page is listed, and a page's
// successor only when the page is a data page. SQL Server 2000: every page
// that can be read is listed. A page met twice (a loop) ends the walk, as
// do an unreadable page and `stopRequested`.
void chainPages(const DatabaseFile& file, PagePointer firstPage, bool legacyCatalog,
                std::vector<PagePointer>& pages);

// The Advanced list: `selectedDataPages` without entries whose file or page
// number is 0. Pages attributed twice stay twice.
std::vector<PagePointer> advancedPageList(const std::vector<PagePointer>& selectedDataPages);

// The candidate lists for the table, in the order they are tried.
std::vector<TablePageList> buildTablePageList(const DatabaseFile& file, const TablePageInputs& inputs);

}  // namespace pw
