#pragma once
// The rows of the selected table in the record list, 1000 to a display
// page, with "Previous Records" / "Next Records" paging.
//
// The paging history holds the start (page index in the table's page list,
// row index within that page's decoded rows) of every display page met so
// far, oldest first; while a following display page is known to exist, its
// start is the newest entry. A start is recorded only when a row beyond the
// 1000th exists, so a later display page starts directly at its first page
// and row without re-reading the pages before it.
//
// Every row inserted is reported in the caption bar, in the last line of
// the log pane and as a line of the log file. Rows whose values are all
// empty (the first value may also be NULL) are not listed. Stop ends a fill
// at the current row; what was inserted stays.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/RunContext.h"
#include "catalog/DefinitionRow.h"
#include "presentation/ContentSink.h"
#include "presentation/EngineHolder.h"
#include "values/DecodedRow.h"
#include "values/TableScan.h"

namespace pw {

constexpr int32_t kRowsPerDisplayPage = 1000;
constexpr const char* kPageLabelPrefix = "Page";

struct PagingPosition {
    int64_t pageIndex = 0;
    int64_t rowIndex = 0;
};

// "Page%d - [%lld](%lld-%lld) Records".
std::string formatPageLabel(int32_t pageNumber, int64_t rows, int64_t firstRow, int64_t lastRow);

// The texts a row shows in the record list: one per listed column (see
// isListedColumn), NULL values as "NULL".
std::vector<std::string> listedValues(const DecodedRow& row, const std::vector<ColumnDescriptor>& layout,
                                      bool legacyCatalog);
// Whether the row is left out: its first value is empty or "NULL" and every
// later value is empty.
bool isEmptyRow(const std::vector<std::string>& values);

class RecordPager {
public:
    RecordPager(RunContext& context, EngineHolder& engine, ContentSink& content);
    ~RecordPager();

    // A new selection: page number, history and counters back to 0; the
    // page list of the previous table is dropped.
    void reset();

    // Display thread, for table `tableName` of type `tableType`: selects the
    // table again, resolves its page list by the recovery mode and fills the
    // first display page while `listingInProgress` is set (large values show
    // placeholders). Clears a pending stop request at the end.
    void showTableRecords(const std::string& tableName, const std::string& tableType,
                          const std::vector<DefinitionRow>& definitions);

    // Bodies of the next-page and previous-page threads. Each clears
    // isRunning and hides the progress bar on every exit.
    void showNextRecords();
    void showPreviousRecords();

    // Display pages shown since the selection (the display thread moves it
    // from 0 to 1 after the first page).
    int32_t displayPageNumber() const { return pageNumber_; }
    void advanceDisplayPageNumber() { ++pageNumber_; }
    // Display pages known: 1 after a first page, 2 and more once a
    // following page is known to exist.
    size_t knownPageCount() const { return history_.size(); }
    int32_t rowsInList() const { return rowsInList_; }
    const std::deque<PagingPosition>& history() const { return history_; }

private:
    // Fills display page `pageNumber` (1-based) from its recorded start.
    void fillDisplayPage(int32_t pageNumber);
    void reportRow();
    void finishPagingThread();
    void showPageLabelAndCaption(int32_t pageNumber);
    bool usable() const;

    RunContext& context_;
    EngineHolder& engine_;
    ContentSink& content_;

    std::unique_ptr<TableScan> scan_;
    uint64_t scanGeneration_ = 0;
    std::deque<PagingPosition> history_;
    int32_t rowsInList_ = 0;
    int32_t pageNumber_ = 0;
    uint32_t savedProgressUpper_ = 0;
};

}  // namespace pw
