#include "catalog/DefinitionReader.h"

#include "app/RunContext.h"
#include "catalog/Database.h"
#include "catalog/DefinitionText.h"
#include "storage/DatabaseFile.h"
#include "values/RowDecoder.h"

namespace pw {
namespace {

constexpr int32_t kSysCommentsId = 6;
const char* const kSysCommentsName = "syscomments";
const char* const kSystemTableType = "S ";

}  // namespace

std::vector<ColumnDescriptor> objectValuesLayout() {
    return {
        ColumnDescriptor("tinyint(1)", "valclass", int32_t(TypeCode::TinyInt)),
        ColumnDescriptor("int(4)", "objid", int32_t(TypeCode::Int)),
        ColumnDescriptor("int(4)", "subobjid", int32_t(TypeCode::Int)),
        ColumnDescriptor("int(4)", "valnum", int32_t(TypeCode::Int)),
        ColumnDescriptor("sql_variant(8016)", "value", int32_t(TypeCode::SqlVariant)),
        ColumnDescriptor("varbinary(-1)", "imageval", int32_t(TypeCode::VarBinary)),
    };
}

DefinitionReader::DefinitionReader(Database& database, const DatabaseFile& file, const RunContext& context)
    : database_(database), file_(file), context_(context) {}

void DefinitionReader::clear() {
    loadTimeRows_.clear();
    displayRows_.clear();
    displayLoaded_ = false;
}

std::vector<DefinitionRow> DefinitionReader::readTable() {
    std::vector<DefinitionRow> rows;
    const bool legacy = database_.legacyCatalog();
    // The layout: the fixed one in the 2005 format; the catalog's own
    // syscomments layout in SQL Server 2000 files (whatever table was
    // selected before says nothing about syscomments).
    if (legacy) database_.selectObject(kSysCommentsName, kSystemTableType, {});
    else database_.rowLayout = objectValuesLayout();
    const std::vector<ColumnDescriptor> layout = database_.rowLayout;
    const LayoutForm form = layoutFormFor(database_);

    MessageSink& sink = context_.messages();
    sink.addLogLine(definitionText::kRetrieving);
    auto found = file_.systemPageMap.find(legacy ? kSysCommentsId : systemTable::kObjectValues);
    if (found != file_.systemPageMap.end()) {
        const std::vector<PageEntry> entries = found->second;
        sink.setProgressRange(0, uint32_t(entries.size()));
        LargeValueReader reader(&file_, context_);
        for (size_t i = 0; i < entries.size() && !context_.stop(); ++i) {
            const PageEntry& entry = entries[i];
            // IAM and index pages of the table hold no definition rows.
            if (entry.pageType != kDataPage) continue;
            auto page = file_.readCatalogDataPage(PagePointer{entry.fileNumber, entry.pageNumber});
            if (!page) continue;
            for (const DecodedRow& row : decodeDefinitionPageRows(*page, layout, form, context_, &reader)) {
                if (!legacy && row.size() >= 3) {
                    rows.push_back({std::string(row.text(1)), std::string(row.text(2)),
                                    std::string(row.text(row.size() - 1))});
                } else if (legacy && row.size() >= 2) {
                    rows.push_back({std::string(row.text(0)), std::string(row.text(1)),
                                    row.size() >= 5 ? std::string(row.text(4)) : std::string()});
                }
            }
            sink.setProgressPos(uint32_t(i));
        }
    }
    sink.addLogLine(definitionText::kRetrievingDone);
    return rows;
}

void DefinitionReader::readLoadTimeDefinitions() {
    database_.selectedColumns.clear();
    loadTimeRows_ = readTable();
    database_.rowLayout.clear();
}

std::string DefinitionReader::definitionText(const std::string& objectIdText) {
    if (!displayLoaded_) {
        displayLoaded_ = true;
        displayRows_ = readTable();
        if (displayRows_.empty()) displayLoaded_ = false;  // the next request tries again
    }
    return definitionTextFor(displayRows_, objectIdText);
}

}  // namespace pw
