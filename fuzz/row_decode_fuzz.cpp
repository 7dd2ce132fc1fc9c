// Mutated pages through the row decoder and the large-value reader. The
// input is cut into three pages: a data page decoded against a fixed layout
// of every kind of column (rowset and legacy placement, listing mode on and
// off, with and without deleted records), and two large-value pages written
// into a small data file at pages 20 and 21, which text pointers, in-row
// roots and the links inside the pages themselves lead to. Only crashes,
// hangs and sanitizer reports count.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/RunContext.h"
#include "catalog/ColumnDescriptor.h"
#include "storage/DatabaseFile.h"
#include "storage/RecordPage.h"
#include "storage/TextMixPage.h"
#include "tools/fixtures/DatabaseImage.h"
#include "tools/fixtures/LobFixtures.h"
#include "values/RowDecoder.h"

namespace {

using namespace pw;

constexpr int32_t kFirstTextPage = 20;

// Spreads `part` over a page: its first half from the start (header and
// records), the rest at the end (the slot array).
PageBytes pageFrom(const uint8_t* data, size_t size) {
    PageBytes page(kPageSize, 0);
    size_t used = std::min(size, kPageSize);
    size_t front = size < kPageSize ? (used + 1) / 2 : used;
    std::copy(data, data + front, page.begin());
    std::copy(data + front, data + used, page.end() - long(used - front));
    return page;
}

std::vector<ColumnDescriptor> makeLayout() {
    struct ColumnSketch {
        const char* typeText;
        TypeCode code;
        int16_t leaf;
    };
    const ColumnSketch sketches[] = {
        {"int(4)", TypeCode::Int, 4},          {"bit(1)", TypeCode::Bit, 8},
        {"bit(1)", TypeCode::Bit, 8},          {"datetime(8)", TypeCode::DateTime, 9},
        {"decimal(9)", TypeCode::Decimal, 17}, {"char(6)", TypeCode::Char, 26},
        {"nvarchar(40)", TypeCode::NVarChar, -1}, {"ntext(16)", TypeCode::NText, -2},
        {"image(16)", TypeCode::Image, -3},    {"varchar(-1)", TypeCode::VarChar, -4},
        {"xml(-1)", TypeCode::Xml, -5},        {"sql_variant(8016)", TypeCode::SqlVariant, -6},
        {"varbinary(-1)", TypeCode::VarBinary, -7}, {"text(16)", TypeCode::Text, -8},
        {"int(4)", TypeCode::Int, 0},
    };
    std::vector<ColumnDescriptor> layout;
    int32_t id = 1;
    for (const ColumnSketch& sketch : sketches) {
        ColumnDescriptor column(sketch.typeText, "c" + std::to_string(id), int32_t(sketch.code));
        column.typeCode = sketch.code;
        column.columnId = id;
        column.physicalColumnId = id;
        column.stored = true;
        column.leafOffset = sketch.leaf;
        column.legacyRowOffset = sketch.leaf;
        column.nullBit = id;
        column.precision = 10;
        column.scale = 2;
        column.nullable = true;
        layout.push_back(column);
        ++id;
    }
    layout.back().sparse = true;  // read from the sparse vector when there is one
    return layout;
}

// The small data file the large-value pages are written into.
struct FuzzFile {
    FuzzFile() {
        path = std::filesystem::temp_directory_path() / ("pagewright-row-fuzz-" + std::to_string(getpid()) + ".mdf");
        fixtures::DatabaseImage image(32);
        image.addStandardPages("fuzz", 661, 872468488);
        image.writeTo(path);
        descriptor = ::open(path.c_str(), O_WRONLY);
        file = std::make_unique<DatabaseFile>(path.string(), false, context);
    }
    ~FuzzFile() {
        file.reset();
        if (descriptor >= 0) ::close(descriptor);
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
    void writePage(int32_t pageNumber, const PageBytes& page) {
        if (descriptor < 0) return;
        ssize_t written = ::pwrite(descriptor, page.data(), page.size(), off_t(pageNumber) * off_t(kPageSize));
        (void)written;
    }

    std::filesystem::path path;
    int descriptor = -1;
    RunContext context;
    std::unique_ptr<DatabaseFile> file;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile fuzzFile;
    static const std::vector<ColumnDescriptor> layout = makeLayout();
    if (!fuzzFile.file || !fuzzFile.file->isOpen()) return 0;

    const size_t third = size / 3;
    PageBytes dataPage = pageFrom(data, third);
    fuzzFile.writePage(kFirstTextPage, pageFrom(data + third, third));
    fuzzFile.writePage(kFirstTextPage + 1, pageFrom(data + 2 * third, size - 2 * third));

    RunContext& context = fuzzFile.context;
    const uint8_t flags = size > 0 ? data[0] : 0;
    context.options.showDeleted = (flags & 1) != 0;
    context.options.showAdvancedDeleted = (flags & 2) != 0;
    context.listingInProgress = (flags & 4) != 0;
    context.legacyCatalog = (flags & 8) != 0;
    const LayoutForm form = (flags & 16) ? LayoutForm::Legacy : LayoutForm::Rowset;

    LargeValueReader reader(fuzzFile.file.get(), context);
    {
        CDataPage page(dataPage, fuzzFile.file.get(), RecordPageOptions::from(context, &layout));
        std::vector<DecodedRow> rows;
        decodeRecords(page, layout, {form, (flags & 32) != 0}, context, reader, rows);
        for (const DecodedRow& row : rows)
            for (size_t c = 0; c < row.size(); ++c) (void)row.text(c);
    }
    // Every slot of the large-value pages as a value root, through a text
    // pointer and through an in-row root whose links cover both pages.
    std::vector<fixtures::LobLink> links;
    for (int16_t slot = 0; slot < 8; ++slot) {
        for (int32_t page = kFirstTextPage; page <= kFirstTextPage + 1; ++page) {
            RowId id = fixtures::rowId(page, slot);
            std::vector<uint8_t> pointer = fixtures::textPointer(id);
            (void)reader.readTextPointerValue(TextPointerReader(Bytes(pointer.data(), pointer.size())));
            links.push_back({id, 1});
        }
    }
    std::vector<uint8_t> root = fixtures::inRowRoot(4, links);
    (void)reader.readInRowRootValue(Bytes(root.data(), root.size()));
    return 0;
}
