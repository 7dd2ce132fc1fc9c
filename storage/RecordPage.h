#pragma once
// Page objects that own a page buffer: the slotted page with its records,
// the page of primary records with its compression information (anchor
// record and dictionary), and the data page.
//
// The slot array grows down from the end of the page: slot j is the u16 at
// page offset 8190 - 2j. Records start at byte 96 at the earliest.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "storage/PageGeometry.h"
#include "storage/PageHeader.h"
#include "storage/Record.h"

namespace pw {

class DatabaseFile;
struct ColumnDescriptor;
struct RunContext;

constexpr int16_t kMaximumSlotCount = 4000;  // a slot count at or above this means no slot array
constexpr size_t kFirstRecordOffset = 96;

class CPage {
public:
    CPage(PageBytes buffer, const DatabaseFile* file);
    virtual ~CPage() = default;

    const CPage_Header& header() const { return header_; }
    const DatabaseFile* file() const { return file_; }
    Bytes bytes() const { return Bytes(buffer_.data(), buffer_.size()); }

protected:
    PageBytes buffer_;
    CPage_Header header_;
    const DatabaseFile* file_;
};

class RecordPage : public CPage {
public:
    RecordPage(PageBytes buffer, const DatabaseFile* file);

    // One entry per slot, in slot order; null where the slot gave no record.
    std::vector<std::unique_ptr<CRecord>> records;
    // Records measured by the page-body scan of deleted records.
    std::vector<std::unique_ptr<CRecord>> scannedRecords;

    // The slot offsets (kept after the records are built, for the page dump).
    const std::vector<uint16_t>& slotArray() const { return slotArray_; }

protected:
    std::vector<uint16_t> slotArray_;
    bool hasSlotArray_ = false;
};

struct ValueBytes {
    std::vector<uint8_t> bytes;
    int32_t length = 0;  // -2: anchor column null; -1: anchor column empty
};

struct RecordPageOptions {
    bool showDeleted = false;
    bool showAdvancedDeleted = false;
    bool legacyCatalog = false;
    const std::atomic<bool>* stopRequested = nullptr;
    // The selected table's columns, for the expansion of compressed records.
    const std::vector<ColumnDescriptor>* layout = nullptr;
    int32_t forwardingDepth = 0;

    static RecordPageOptions from(const RunContext& context,
                                  const std::vector<ColumnDescriptor>* layout = nullptr);
    RecordParseOptions parseOptions() const { return {showDeleted, legacyCatalog, stopRequested, forwardingDepth}; }
    bool stop() const { return stopRequested && stopRequested->load(std::memory_order_relaxed); }
};

class PrimaryRecordPage : public RecordPage {
public:
    // Builds every record of the page (after the compression information
    // and, when both deleted-record options are on, the page-body scan).
    PrimaryRecordPage(PageBytes buffer, const DatabaseFile* file, const RecordPageOptions& options);
    // Builds only the record of `onlySlot` (used to follow a forwarding stub).
    PrimaryRecordPage(PageBytes buffer, const DatabaseFile* file, const RecordPageOptions& options,
                      int16_t onlySlot);

    const RecordPageOptions& options() const { return options_; }

    // Compression information (pages whose type flag bits have 0x80).
    bool hasCompressionInfo = false;
    uint8_t compressionFlags = 0;
    uint16_t modificationCount = 0;
    uint16_t dictionaryOffset = 0;
    uint16_t compressionSize = 0;
    bool hasAnchor = false;
    bool hasDictionary = false;
    std::unique_ptr<CPrimaryRecord> anchorRecord;
    std::vector<ValueBytes> anchorValues;
    std::vector<ValueBytes> dictionaryEntries;

    // The records as primary records (null where absent).
    CPrimaryRecord* primaryRecord(size_t slot) const;

private:
    void readCompressionInfo();
    void scanPageBody();
    void buildRecords(std::optional<int16_t> onlySlot);

    RecordPageOptions options_;
    std::vector<uint16_t> knownOffsets_;
};

class CDataPage : public PrimaryRecordPage {
public:
    using PrimaryRecordPage::PrimaryRecordPage;
};

// Reads the slot array of a page: empty when the slot count is <= 0 or >= 4000.
std::vector<uint16_t> readSlotArray(Bytes page, int16_t slotCount);

}  // namespace pw
