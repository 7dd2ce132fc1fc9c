#pragma once
// Turns an IAM chain into the ordered list of pages it allocates: for each
// IAM page its single-page slots, then the eight pages of every extent whose
// bit is set. The list may hold a page twice; callers read it in order.

#include <vector>

#include "storage/PageEntry.h"
#include "storage/PagePointer.h"

namespace pw {

class DatabaseFile;

// 2005-and-later: follows the next-page pointers from `firstIamPage`.
// An IAM page met twice ends the walk (a damaged chain cannot loop).
std::vector<PagePointer> iamChainPages(const DatabaseFile& file, PagePointer firstIamPage);

// SQL Server 2000: visits the IAM pages the mapping pass found, in file order.
std::vector<PagePointer> iamChainPages(const DatabaseFile& file, const std::vector<PageEntry>& iamPages);

}  // namespace pw
