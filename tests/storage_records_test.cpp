// Record pages and records: slot arrays, the ordinary and compressed record
// forms, forwarding stubs, sparse vectors, ghosts and the page-body scan.

#include <gtest/gtest.h>

#include "app/RunContext.h"
#include "storage/DatabaseFile.h"
#include "storage/RecordPage.h"
#include "tests/TestSupport.h"
#include "tools/fixtures/DatabaseImage.h"
#include "tools/fixtures/PageBuilder.h"
#include "tools/fixtures/RecordBuilder.h"

namespace pw {
namespace {

using fixtures::OrdinaryRecord;
using fixtures::PageBuilder;

RecordPageOptions optionsFor(const RunContext& context) { return RecordPageOptions::from(context); }

std::vector<uint8_t> bytesOf(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

OrdinaryRecord twoVariableColumns() {
    OrdinaryRecord record;
    record.fixed = {1, 0, 0, 0};
    record.columnCount = 3;
    record.variable = {{bytesOf("alpha")}, {bytesOf("be")}};
    return record;
}

TEST(StorageRecords, OrdinaryRecordSplitsIntoParts) {
    PageBuilder builder(20, 500, 1);
    builder.addRecord(twoVariableColumns().build());
    RunContext context;
    CDataPage page(builder.build(), nullptr, optionsFor(context));
    ASSERT_EQ(page.records.size(), 1u);
    const CPrimaryRecord* record = page.primaryRecord(0);
    ASSERT_NE(record, nullptr);
    EXPECT_FALSE(record->invalid);
    EXPECT_EQ(record->fixedPart, (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(record->columnCount, 3);
    ASSERT_EQ(record->variableSlices.size(), 2u);
    EXPECT_EQ(record->variableSlices[0].bytes, bytesOf("alpha"));
    EXPECT_EQ(record->variableSlices[1].bytes, bytesOf("be"));
    EXPECT_EQ(size_t(record->recordLength), twoVariableColumns().build().size());
    EXPECT_EQ(record->rawRecord, twoVariableColumns().build());
}

TEST(StorageRecords, SlotOffsetsAndCountsAtTheirLimits) {
    struct Case {
        const char* name;
        uint16_t offset;
        bool expectRecord;
    } cases[] = {{"zero", 0, false}, {"inside header", 95, false}, {"first valid", 96, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PageBuilder builder(20, 500, 1);
        builder.writeAt(96, twoVariableColumns().build());
        builder.addSlot(c.offset);
        RunContext context;
        CDataPage page(builder.build(), nullptr, optionsFor(context));
        ASSERT_EQ(page.records.size(), 1u);
        EXPECT_EQ(page.records[0] != nullptr, c.expectRecord);
    }
    for (int16_t count : {int16_t(0), int16_t(4000), int16_t(-3)}) {
        PageBuilder builder(20, 500, 1);
        builder.addRecord(twoVariableColumns().build());
        builder.forceSlotCount(count);
        RunContext context;
        CDataPage page(builder.build(), nullptr, optionsFor(context));
        EXPECT_TRUE(page.records.empty()) << count;
    }
}

TEST(StorageRecords, EveryTruncationOfARecordParsesWithoutReadingPastIt) {
    std::vector<uint8_t> full = twoVariableColumns().build();
    for (size_t length = 0; length <= full.size(); ++length) {
        PageBytes page(kPageSize, 0);
        for (size_t i = 0; i < length; ++i) page[kPageSize - 32 - length + i] = full[i];
        size_t offset = kPageSize - 32 - length;
        RunContext context;
        RecordParseOptions options{};
        CPrimaryRecord record(Bytes(page.data(), page.size()), offset, uint16_t(length), nullptr, options);
        EXPECT_LE(size_t(record.recordLength), length);
        if (length < full.size()) EXPECT_LT(record.variableSlices.size() + (record.rawRecord == full), 3u);
    }
}

TEST(StorageRecords, ComplexSlicesAndSparseVector) {
    std::vector<uint8_t> pointer(16, 0);
    pointer[0] = 0;
    std::vector<uint8_t> sparse = {5, 0, 2, 0};       // type 5, two columns
    fixtures::appendU16(sparse, 7);                    // column ids
    fixtures::appendU16(sparse, 9);
    fixtures::appendU16(sparse, 4 + 8 + 3);            // end offsets
    fixtures::appendU16(sparse, 4 + 8 + 3 + 2);
    sparse.insert(sparse.end(), {'a', 'b', 'c', 'd', 'e'});
    OrdinaryRecord builder;
    builder.fixed = {0, 0, 0, 0};
    builder.columnCount = 3;
    builder.variable = {{pointer, true}, {sparse, true}};
    PageBuilder page(30, 500, 1);
    page.addRecord(builder.build());
    RunContext context;
    CDataPage parsed(page.build(), nullptr, optionsFor(context));
    const CPrimaryRecord* record = parsed.primaryRecord(0);
    ASSERT_NE(record, nullptr);
    ASSERT_EQ(record->variableSlices.size(), 2u);
    EXPECT_TRUE(record->variableSlices[0].complex);
    EXPECT_EQ(record->variableSlices[0].length, 16);
    ASSERT_NE(record->sparseVector, nullptr);
    ASSERT_EQ(record->sparseVector->slices.size(), 2u);
    EXPECT_EQ(record->sparseVector->slices[0].columnId, 7);
    EXPECT_EQ(record->sparseVector->slices[0].bytes, bytesOf("abc"));
    EXPECT_EQ(record->sparseVector->slices[1].columnId, 9);
    EXPECT_EQ(record->sparseVector->slices[1].bytes, bytesOf("de"));
}

TEST(StorageRecords, GhostRecordsNeedShowDeleted) {
    OrdinaryRecord ghost = twoVariableColumns();
    ghost.recordType = 6;
    PageBuilder builder(20, 500, 1);
    builder.addRecord(ghost.build());
    builder.setGhostRecordCount(1);
    RunContext hidden;
    CDataPage withoutOption(builder.build(), nullptr, optionsFor(hidden));
    EXPECT_EQ(withoutOption.primaryRecord(0), nullptr);
    RunContext shown;
    shown.options.showDeleted = true;
    CDataPage withOption(builder.build(), nullptr, optionsFor(shown));
    ASSERT_NE(withOption.primaryRecord(0), nullptr);
    EXPECT_FALSE(withOption.primaryRecord(0)->invalid);
    EXPECT_FALSE(withOption.primaryRecord(0)->ghost);
}

TEST(StorageRecords, CompressedFormCountsClustersAndWideCounts) {
    struct Case {
        size_t columns;
        bool wide;
        size_t expectedShortStart;
    } cases[] = {
        {30, false, 2 + 15 + 0},   // thirty columns: no cluster byte
        {31, false, 2 + 16 + 1},   // thirty-one: one cluster byte
        {0x85, true, 3 + 67 + 4},  // count 0x85 0x00 read as a 16-bit count
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.columns);
        fixtures::CompressedRecord builder;
        builder.codes.assign(c.columns, 2);  // every column a one-byte short value
        for (size_t i = 0; i < c.columns; ++i) builder.shortData.push_back(uint8_t(0x80 | i));
        builder.wideCount = c.wide;
        std::vector<uint8_t> bytes = builder.build();
        if (c.wide) {
            bytes[1] = 0x85;
            bytes[2] = 0x00;
        }
        PageBuilder page(40, 600, 1);
        page.addRecord(bytes);
        RunContext context;
        CDataPage parsed(page.build(), nullptr, optionsFor(context));
        const CPrimaryRecord* record = parsed.primaryRecord(0);
        ASSERT_NE(record, nullptr);
        EXPECT_TRUE(record->compressed);
        EXPECT_EQ(size_t(record->columnCount), c.columns);
        EXPECT_EQ(record->cdCodes.size(), c.columns);
        EXPECT_EQ(size_t(record->cdShortDataStart), c.expectedShortStart);
        EXPECT_EQ(record->fixedPart.size(), c.columns);
        EXPECT_EQ(record->fixedPart.front(), 0x80);
    }
}

TEST(StorageRecords, CompressedLongColumnsBecomeSlices) {
    fixtures::CompressedRecord builder;
    builder.codes = {2, 10, 0, 10};
    builder.shortData = {0x81};
    builder.longValues = {{bytesOf("hello")}, {bytesOf("world!")}};
    PageBuilder page(40, 600, 1);
    page.addRecord(builder.build());
    RunContext context;
    CDataPage parsed(page.build(), nullptr, optionsFor(context));
    const CPrimaryRecord* record = parsed.primaryRecord(0);
    ASSERT_NE(record, nullptr);
    ASSERT_EQ(record->variableSlices.size(), 2u);
    EXPECT_EQ(record->variableSlices[0].bytes, bytesOf("hello"));
    EXPECT_EQ(record->variableSlices[1].bytes, bytesOf("world!"));
}

class ForwardingFile : public ::testing::Test {
protected:
    std::unique_ptr<DatabaseFile> openImage(fixtures::DatabaseImage& image) {
        image.addStandardPages("fwd", 661, 0);
        image.writeTo(dir.file("fwd.mdf"));
        return std::make_unique<DatabaseFile>(dir.file("fwd.mdf").string(), false, context);
    }
    test::TempDir dir;
    RunContext context;
};

TEST_F(ForwardingFile, StubFollowsToItsTargetOrReportsMinusFive) {
    fixtures::DatabaseImage image(24);
    PageBuilder target(20, 700, 1);
    OrdinaryRecord forwarded = twoVariableColumns();
    forwarded.recordType = 1;
    target.addRecord(forwarded.build());
    image.setPage(20, target.build());
    PageBuilder home(21, 700, 1);
    home.addRecord(fixtures::forwardingStub(1, 20, 0));
    home.addRecord(fixtures::forwardingStub(1, 5000, 0));  // beyond the file
    home.addRecord(fixtures::forwardingStub(1, 21, 0));    // points at itself
    image.setPage(21, home.build());
    auto file = openImage(image);
    ASSERT_TRUE(file->isOpen());
    auto page = file->readDataPage({1, 21});
    ASSERT_NE(page, nullptr);
    const CPrimaryRecord* followed = page->primaryRecord(0);
    ASSERT_NE(followed, nullptr);
    EXPECT_EQ(followed->recordType, kForwardingStub);
    ASSERT_EQ(followed->variableSlices.size(), 2u);
    EXPECT_EQ(followed->variableSlices[0].bytes, bytesOf("alpha"));
    EXPECT_EQ(page->primaryRecord(1)->fixedLengthOrStatus, kForwardingStubUnresolved);
    EXPECT_TRUE(page->primaryRecord(1)->variableSlices.empty());
    EXPECT_EQ(page->primaryRecord(2)->fixedLengthOrStatus, kForwardingStubUnresolved);
}

TEST(StorageRecords, PageBodyScanFindsRemovedRecordOnce) {
    OrdinaryRecord live = twoVariableColumns();
    live.fixed = {0x11, 0x11, 0x11, 0x11};
    std::vector<uint8_t> removed = live.build();
    // A record whose column-count offset is 0x84 carries the scan's signature.
    OrdinaryRecord signed132;
    signed132.fixed.assign(0x84 - 4, 0x22);
    signed132.columnCount = 2;
    signed132.variable = {{bytesOf("gone")}};
    std::vector<uint8_t> signedBytes = signed132.build();
    ASSERT_EQ(signedBytes[0], 0x30);
    ASSERT_EQ(signedBytes[2], 0x84);

    PageBuilder builder(20, 500, 1);
    builder.addRecord(signedBytes);          // slotted, also carries the signature
    builder.addUnslotted(std::vector<uint8_t>(7, 0xEE));
    builder.addUnslotted(signedBytes);       // removed: no slot
    RunContext context;
    context.options.showDeleted = true;
    context.options.showAdvancedDeleted = true;
    CDataPage page(builder.build(), nullptr, optionsFor(context));
    ASSERT_EQ(page.records.size(), 2u);
    EXPECT_EQ(page.slotArray()[0], 96);
    EXPECT_EQ(page.slotArray()[1], 96 + signedBytes.size() + 7);
    ASSERT_NE(page.primaryRecord(1), nullptr);
    EXPECT_EQ(page.primaryRecord(1)->variableSlices.at(0).bytes, bytesOf("gone"));

    RunContext onlyAdvanced;
    onlyAdvanced.options.showAdvancedDeleted = true;
    CDataPage notScanned(builder.build(), nullptr, optionsFor(onlyAdvanced));
    EXPECT_EQ(notScanned.records.size(), 1u);
}

}  // namespace
}  // namespace pw
