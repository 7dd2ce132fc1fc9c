#include "values/TableScan.h"

#include "app/RunContext.h"
#include "catalog/Database.h"
#include "storage/DatabaseFile.h"
#include "values/RowDecoder.h"

namespace pw {

TableScan::TableScan(Database& database, const DatabaseFile& file, const RunContext& context)
    : database_(database), file_(file), context_(context), reader_(&file, context) {}

TableScan::~TableScan() = default;

bool TableScan::select(const std::string& name, const std::string& type,
                       const std::vector<DefinitionRow>& definitionRows) {
    selected_ = false;
    resolved_ = false;
    plan_.clear();
    chosen_ = {TablePageSource::None, {}, false};
    layout_ = database_.selectObject(name, type, definitionRows);
    objectId_ = database_.selectedObject.objectId;
    if (objectId_ == -1 || Database::isObjectWithoutRows(database_.selectedObject.type)) {
        layout_.clear();
        return false;
    }
    form_ = layoutFormFor(database_);

    TablePageInputs inputs;
    inputs.advancedMode = context_.options.advancedMode();
    inputs.legacyCatalog = database_.legacyCatalog();
    inputs.firstPage = database_.currentAllocationUnit.firstPage;
    inputs.firstIamPage = database_.currentAllocationUnit.firstIamPage;
    inputs.rowsetIndexId = database_.currentRowset.indexId;
    inputs.rowsetRowCount = database_.currentRowset.rowCount;
    auto clustered = database_.legacyClusteredIndexes.find(objectId_);
    if (clustered != database_.legacyClusteredIndexes.end())
        inputs.legacyClusteredFirstPage = PagePointer{clustered->second.fileNumber, clustered->second.firstPage};
    auto iam = file_.iamPageMap.find(objectId_);
    if (iam != file_.iamPageMap.end()) inputs.legacyIamPages = iam->second;
    inputs.selectedDataPages = database_.selectedDataPages;
    plan_ = buildTablePageList(file_, inputs);
    selected_ = true;
    return true;
}

std::vector<DecodedRow> TableScan::decodePage(PagePointer page) {
    return decodePageRows(file_, page, layout_, form_, &reader_);
}

void TableScan::resolve() {
    if (resolved_) return;
    resolved_ = true;
    for (TablePageList& candidate : plan_) {
        bool hasRows = !candidate.nextWhenNoRows;
        for (size_t i = 0; !hasRows && i < candidate.pages.size() && !context_.stop(); ++i)
            hasRows = !decodePage(candidate.pages[i]).empty();
        if (hasRows || &candidate == &plan_.back()) {
            chosen_ = std::move(candidate);
            return;
        }
    }
}

const std::vector<PagePointer>& TableScan::pages() {
    resolve();
    return chosen_.pages;
}

TablePageSource TableScan::pageSource() {
    resolve();
    return chosen_.source;
}

std::vector<DecodedRow> TableScan::rowsOfPage(size_t index) {
    if (!selected_) return {};
    const std::vector<PagePointer>& list = pages();
    if (index >= list.size()) return {};
    return decodePage(list[index]);
}

TableScanResult TableScan::scanPages(
    const std::function<bool(size_t pageIndex, std::vector<DecodedRow>& rows)>& onPage) {
    TableScanResult result;
    if (!selected_) return result;
    const std::vector<PagePointer>& list = pages();
    for (size_t index = 0; index < list.size(); ++index) {
        if (context_.stop()) {
            result.stopped = true;
            break;
        }
        ++result.pagesRead;
        std::vector<DecodedRow> rows = decodePage(list[index]);
        result.rows += rows.size();
        if (!onPage(index, rows)) {
            result.stopped = true;
            break;
        }
    }
    return result;
}

TableScanResult TableScan::scan(const std::function<bool(const DecodedRow&)>& onRow) {
    uint64_t delivered = 0;
    TableScanResult result = scanPages([&](size_t, std::vector<DecodedRow>& rows) {
        for (const DecodedRow& row : rows) {
            ++delivered;
            if (!onRow(row)) return false;
        }
        return true;
    });
    result.rows = delivered;
    return result;
}

}  // namespace pw
