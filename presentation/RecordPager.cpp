#include "presentation/RecordPager.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <limits>

#include "presentation/ContentPanel.h"

namespace pw {
namespace {

// Progress moves in at most about this many steps.
constexpr size_t kProgressSteps = 100;

uint32_t clampToU32(size_t value) {
    return value > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max() : uint32_t(value);
}

}  // namespace

std::string formatPageLabel(int32_t pageNumber, int64_t rows, int64_t firstRow, int64_t lastRow) {
    char text[128];
    std::snprintf(text, sizeof text, "%s%d - [%" PRId64 "](%" PRId64 "-%" PRId64 ") Records", kPageLabelPrefix,
                  pageNumber, rows, firstRow, lastRow);
    return text;
}

std::vector<std::string> listedValues(const DecodedRow& row, const std::vector<ColumnDescriptor>& layout,
                                      bool legacyCatalog) {
    std::vector<std::string> values;
    values.reserve(layout.size());
    for (size_t c = 0; c < layout.size(); ++c)
        if (isListedColumn(layout[c], legacyCatalog)) values.push_back(row.displayText(c));
    return values;
}

bool isEmptyRow(const std::vector<std::string>& values) {
    size_t empty = 0;
    for (size_t i = 0; i < values.size(); ++i)
        if (values[i].empty() || (i == 0 && values[i] == "NULL")) ++empty;
    return empty == values.size();
}

RecordPager::RecordPager(RunContext& context, EngineHolder& engine, ContentSink& content)
    : context_(context), engine_(engine), content_(content) {}

RecordPager::~RecordPager() = default;

void RecordPager::reset() {
    scan_.reset();
    history_.clear();
    rowsInList_ = 0;
    pageNumber_ = 0;
}

bool RecordPager::usable() const {
    return scan_ && engine_.hasDatabase() && engine_.hasFile() && scanGeneration_ == engine_.generation;
}

void RecordPager::showTableRecords(const std::string& tableName, const std::string& tableType,
                                   const std::vector<DefinitionRow>& definitions) {
    context_.listingInProgress = true;
    history_.assign(1, PagingPosition{});
    rowsInList_ = 0;
    scan_.reset();
    if (engine_.hasDatabase() && engine_.hasFile()) {
        scan_ = std::make_unique<TableScan>(*engine_.database, *engine_.file, context_);
        scanGeneration_ = engine_.generation;
        if (scan_->select(tableName, tableType, definitions)) fillDisplayPage(1);
    }
    context_.listingInProgress = false;
    if (context_.stopRequested) context_.stopRequested = false;
}

void RecordPager::fillDisplayPage(int32_t pageNumber) {
    const PagingPosition start = history_[size_t(pageNumber - 1)];
    content_.deleteAllRows();
    rowsInList_ = 0;

    const std::vector<PagePointer>& pages = scan_->pages();
    const std::vector<ColumnDescriptor>& layout = scan_->layout();
    const bool legacy = context_.legacy();
    MessageSink& messages = context_.messages();
    savedProgressUpper_ = clampToU32(pages.size());
    messages.setProgressRange(0, savedProgressUpper_);
    content_.showProgress(true);
    const size_t progressStep = std::max<size_t>(1, (pages.size() + kProgressSteps - 1) / kProgressSteps);

    // Stop clears isRunning, so either flag ends the fill.
    auto stopped = [&] { return context_.stop() || !context_.isRunning.load(); };
    bool interrupted = false;
    bool following = false;
    PagingPosition next;
    for (size_t p = size_t(std::max<int64_t>(0, start.pageIndex)); p < pages.size() && !following; ++p) {
        if (stopped()) {
            interrupted = true;
            break;
        }
        const std::vector<DecodedRow> rows = scan_->rowsOfPage(p);
        size_t r = int64_t(p) == start.pageIndex ? size_t(std::max<int64_t>(0, start.rowIndex)) : 0;
        for (; r < rows.size(); ++r) {
            if (stopped()) {
                interrupted = true;
                break;
            }
            if (rowsInList_ >= kRowsPerDisplayPage) {
                following = true;
                next = PagingPosition{int64_t(p), int64_t(r)};
                break;
            }
            std::vector<std::string> values = listedValues(rows[r], layout, legacy);
            if (isEmptyRow(values)) continue;
            content_.appendRow(values);
            ++rowsInList_;
            reportRow();
        }
        if (interrupted) break;
        if ((p + 1) % progressStep == 0 || p + 1 == pages.size()) messages.setProgressPos(clampToU32(p + 1));
    }
    // A stopped fill leaves the history alone: the starts it knows stay true.
    if (interrupted) return;
    history_.resize(size_t(pageNumber));
    if (following) history_.push_back(next);
}

void RecordPager::reportRow() {
    const std::string text = " row " + std::to_string(rowsInList_) + " inserted";
    content_.setCaptionText(text);
    content_.replaceLastLogLine(text);
    content_.writeLogFileLine(text);
}

void RecordPager::showPageLabelAndCaption(int32_t pageNumber) {
    const int64_t before = int64_t(pageNumber - 1) * kRowsPerDisplayPage;
    const int64_t rows = rowsInList_;
    const int64_t first = rows > 0 ? before + 1 : before;
    const int64_t last = before + rows;
    content_.setPageLabel(formatPageLabel(pageNumber, rows, first, last));
    char caption[96];
    std::snprintf(caption, sizeof caption, "%" PRId64 " rows to %" PRId64, before, last);
    content_.setCaptionText(caption);
}

void RecordPager::finishPagingThread() {
    content_.showProgress(false);
    if (context_.stopRequested) context_.stopRequested = false;
    context_.isRunning = false;
}

void RecordPager::showNextRecords() {
    // A stop request left over from work that had ended is not for this page.
    context_.stopRequested = false;
    content_.setPageLabel(std::string());
    if (!usable() || history_.size() < 2 || history_.size() <= size_t(pageNumber_)) {
        content_.setNextEnabled(false);
        finishPagingThread();
        return;
    }
    content_.setPreviousEnabled(true);
    content_.setNextEnabled(true);
    const int32_t page = pageNumber_ + 1;
    fillDisplayPage(page);
    pageNumber_ = page;
    showPageLabelAndCaption(page);
    content_.setNextEnabled(history_.size() > size_t(page));
    content_.repaintList();
    finishPagingThread();
}

void RecordPager::showPreviousRecords() {
    context_.stopRequested = false;
    content_.setPageLabel(std::string());
    if (!usable() || history_.size() < 2 || pageNumber_ <= 1) {
        content_.setPreviousEnabled(false);
        content_.setNextEnabled(usable() && history_.size() > size_t(std::max(pageNumber_, 1)));
        finishPagingThread();
        return;
    }
    content_.setNextEnabled(true);
    const int32_t page = pageNumber_ - 1;
    fillDisplayPage(page);
    pageNumber_ = page;
    showPageLabelAndCaption(page);
    content_.setPreviousEnabled(page > 1);
    content_.setNextEnabled(history_.size() > size_t(page));
    content_.repaintList();
    finishPagingThread();
}

}  // namespace pw
