#include "values/RowDecoder.h"

#include <algorithm>

#include "catalog/Database.h"
#include "storage/DatabaseFile.h"

namespace pw {
namespace {

bool usable(const CPrimaryRecord* record, const RunContext& context) {
    if (!record || record->invalid) return false;
    if (record->recordType == kIndexRecord || record->recordType == kForwardedRecord) return false;
    if (record->recordType == kForwardingStub && record->fixedLengthOrStatus == kForwardingStubUnresolved)
        return false;
    if (record->ghost && !context.options.showDeleted) return false;
    return true;
}

}  // namespace

LayoutForm layoutFormFor(const Database& database) {
    if (!database.legacyCatalog() && !database.selectedRowsetColumns.empty()) return LayoutForm::Rowset;
    return LayoutForm::Legacy;
}

void decodeRecords(const PrimaryRecordPage& page, const std::vector<ColumnDescriptor>& layout,
                   RecordDecodeOptions options, const RunContext& context, LargeValueReader& reader,
                   std::vector<DecodedRow>& rows) {
    RecordDecoder decoder(layout, options, context, reader);
    const size_t slotCount = page.header().slotCount > 0 ? size_t(page.header().slotCount) : 0;
    const PagePointer address = page.header().thisPage;
    rows.reserve(rows.size() + std::min(slotCount, page.records.size()));
    for (size_t slot = 0; slot < slotCount && slot < page.records.size(); ++slot) {
        if (context.stop()) break;
        const CPrimaryRecord* record = page.primaryRecord(slot);
        if (!usable(record, context)) continue;
        DecodedRow row;
        decoder.decode(*record, row);
        row.page = address;
        row.slot = int32_t(slot);
        row.ghost = record->recordType >= kGhostIndexRecord;
        rows.push_back(std::move(row));
    }
}

std::vector<DecodedRow> decodePageRows(const DatabaseFile& file, PagePointer page,
                                       const std::vector<ColumnDescriptor>& layout, LayoutForm form,
                                       LargeValueReader* reader) {
    std::vector<DecodedRow> rows;
    std::unique_ptr<CDataPage> dataPage = file.readDataPage(page, &layout);
    if (!dataPage || dataPage->header().pageType != kDataPage) return rows;
    RecordDecodeOptions options;
    options.form = form;
    if (reader) {
        decodeRecords(*dataPage, layout, options, file.context(), *reader, rows);
    } else {
        LargeValueReader own(&file, file.context());
        decodeRecords(*dataPage, layout, options, file.context(), own, rows);
    }
    return rows;
}

std::vector<DecodedRow> decodeDefinitionPageRows(const CDataPage& page, const std::vector<ColumnDescriptor>& layout,
                                                 LayoutForm form, const RunContext& context,
                                                 LargeValueReader* reader) {
    std::vector<DecodedRow> rows;
    RecordDecodeOptions options;
    options.form = form;
    options.definitionRows = true;
    if (reader) {
        decodeRecords(page, layout, options, context, *reader, rows);
    } else {
        LargeValueReader own(page.file(), context);
        decodeRecords(page, layout, options, context, own, rows);
    }
    return rows;
}

}  // namespace pw
