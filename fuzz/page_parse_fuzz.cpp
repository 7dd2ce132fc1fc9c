// Feeds arbitrary bytes as one page to every page and record parser:
// slotted pages with records (ordinary, compressed with a layout for the
// expansion, sparse), the page-body scan of deleted records, large-value
// pages, IAM pages and the boot page. Only crashes and sanitizer reports count.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/RunContext.h"
#include "catalog/ColumnDescriptor.h"
#include "storage/BootPage.h"
#include "storage/IamPage.h"
#include "storage/RecordPage.h"
#include "storage/TextMixPage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pw;
    // A short input fills the start of the page (header, records) and the
    // end (the slot array) so that small inputs still reach the records.
    PageBytes page(kPageSize, 0);
    size_t used = size < kPageSize ? size : kPageSize;
    size_t front = size < kPageSize ? (used + 1) / 2 : used;
    std::copy(data, data + front, page.begin());
    std::copy(data + front, data + used, page.end() - long(used - front));
    static const std::vector<ColumnDescriptor> layout = {
        ColumnDescriptor("int(4)", "a", 9),          ColumnDescriptor("bigint(8)", "b", 0),
        ColumnDescriptor("nvarchar(40)", "c", 11),   ColumnDescriptor("datetime(8)", "d", 4),
        ColumnDescriptor("decimal(9)", "e", 24),     ColumnDescriptor("char(10)", "f", 3),
        ColumnDescriptor("bit(1)", "g", 2),          ColumnDescriptor("varbinary(-1)", "h", 16),
    };
    RunContext context;
    context.options.showDeleted = size > 0 && (data[0] & 1);
    context.options.showAdvancedDeleted = size > 0 && (data[0] & 2);
    {
        RecordPageOptions options = RecordPageOptions::from(context, &layout);
        CDataPage dataPage(page, nullptr, options);
        for (size_t slot = 0; slot < dataPage.records.size(); ++slot) {
            if (const CPrimaryRecord* record = dataPage.primaryRecord(slot)) {
                (void)record->nullBit(3);
                (void)record->fixedView();
            }
        }
    }
    {
        context.legacyCatalog = true;
        CDataPage legacyPage(page, nullptr, RecordPageOptions::from(context));
        context.legacyCatalog = false;
    }
    {
        TextMixPage textPage(page, nullptr, context.stopRequested);
        for (size_t slot = 0; slot < textPage.records.size(); ++slot)
            if (TextRecord* record = textPage.textRecord(slot)) (void)record->data();
    }
    {
        IamPage iam(page, nullptr, RecordPageOptions::from(context));
        (void)iam.extentList(1u << 20);
    }
    CBootPage boot(Bytes(page.data(), page.size()));
    for (size_t offset = 96; offset < kPageSize; offset += 997)
        (void)CPrimaryRecord::measure(Bytes(page.data(), page.size()), offset, {});
    return 0;
}
