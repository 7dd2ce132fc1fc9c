#pragma once
// Reads every row of one table: selects the table in the catalog (its row
// layout and allocation), builds its page list by the recovery mode
// (storage/TablePageList.h) and decodes the pages in list order, streaming
// the rows page by page. Used by the command line, the record list paging
// and the export.
//
// The deleted-record options are those of the run context
// (`showDeleted`: ghost records; with `showAdvancedDeleted` as well: records
// found by the page-body scan). `stopRequested` is polled before each page
// and each record. One thread at a time may use a TableScan, and the
// Database may not select another object while it runs.

#include <functional>
#include <string>
#include <vector>

#include "catalog/ColumnDescriptor.h"
#include "catalog/DefinitionRow.h"
#include "storage/TablePageList.h"
#include "values/DecodedRow.h"
#include "values/LargeValueReader.h"
#include "values/RecordDecoder.h"

namespace pw {

class Database;
class DatabaseFile;
struct RunContext;

struct TableScanResult {
    uint64_t rows = 0;
    uint64_t pagesRead = 0;
    bool stopped = false;  // the callback or stopRequested ended the scan early
};

class TableScan {
public:
    TableScan(Database& database, const DatabaseFile& file, const RunContext& context);
    ~TableScan();

    // Selects table `name` of type `type` ("U " user table, "S " system
    // table …). False when there is no such object or it has no rows of its
    // own (a view, a procedure …). `definitionRows` give the texts of
    // computed columns (may be empty).
    bool select(const std::string& name, const std::string& type = "U ",
                const std::vector<DefinitionRow>& definitionRows = {});

    // The selected table's columns, in column order.
    const std::vector<ColumnDescriptor>& layout() const { return layout_; }
    LayoutForm layoutForm() const { return form_; }
    int32_t objectId() const { return objectId_; }

    // The page list of the selected table, resolved by the recovery mode.
    // A candidate list that must yield rows (a clustered chain) is decoded
    // up to its first row to decide; the choice is made once per selection.
    const std::vector<PagePointer>& pages();
    TablePageSource pageSource();

    // The rows of page `index` of pages(); none for an index out of range.
    std::vector<DecodedRow> rowsOfPage(size_t index);

    // Every row of the table in page-list order. `onRow` returns false to
    // stop the scan.
    TableScanResult scan(const std::function<bool(const DecodedRow&)>& onRow);
    // The same, a page at a time: `onPage` gets the index of the page in
    // pages() and its rows (possibly none); it returns false to stop.
    TableScanResult scanPages(const std::function<bool(size_t pageIndex, std::vector<DecodedRow>& rows)>& onPage);

private:
    void resolve();
    std::vector<DecodedRow> decodePage(PagePointer page);

    Database& database_;
    const DatabaseFile& file_;
    const RunContext& context_;
    LargeValueReader reader_;
    std::vector<ColumnDescriptor> layout_;
    LayoutForm form_ = LayoutForm::Rowset;
    int32_t objectId_ = -1;
    bool selected_ = false;
    bool resolved_ = false;
    std::vector<TablePageList> plan_;
    TablePageList chosen_{TablePageSource::None, {}, false};
};

}  // namespace pw
