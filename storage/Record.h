#pragma once
// One record of a slotted page, parsed into its parts: status bits, fixed
// part, column count, null bitmap, variable-length column slices, sparse
// vector; and the compressed (CD) form of row and page compression.
//
// Record status byte A: bit 0 compressed form; bits 1-3 record type; bit 4
// null bitmap present; bit 5 variable columns present; bit 6 versioning.
// Parsing never fails loudly: a rejected record keeps `invalid` and empty
// parts; a slice out of bounds keeps no bytes so column positions stay aligned.

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "storage/ByteReader.h"

namespace pw {

class PrimaryRecordPage;

enum RecordType : int32_t {
    kPrimaryRecord = 0,
    kForwardedRecord = 1,
    kForwardingStub = 2,
    kIndexRecord = 3,
    kBlobFragment = 4,
    kGhostIndexRecord = 5,
    kGhostDataRecord = 6,
    kGhostVersionRecord = 7,
};

constexpr int16_t kForwardingStubUnresolved = -5;  // status of a stub that could not be followed

struct VariableColumnSlice {
    int32_t columnId = -1;      // -1 for positional slices; the column id inside a sparse vector
    std::vector<uint8_t> bytes; // empty with `present` false when the slice was out of bounds
    bool present = false;
    int32_t length = 0;
    bool complex = false;       // bit 15 of the end offset was set

    Bytes view() const { return Bytes(bytes.data(), bytes.size()); }
};

struct SparseVector {
    int16_t columnCount = 0;
    std::vector<VariableColumnSlice> slices;
};

// Per-column result of the expansion of a compressed record.
struct CompressedColumnResult {
    bool isNull = false;
    int32_t length = 0;
};

class CRecord {
public:
    virtual ~CRecord() = default;

    std::vector<uint16_t> variableEndOffsets;
    int32_t recordType = 0;
    bool hasNullBitmap = false;
    bool compressed = false;
    bool hasVariableColumns = false;
    bool ghost = false;
    std::vector<uint8_t> fixedPart;
    int16_t columnCount = 0;
    std::vector<uint8_t> nullBitmap;
    int16_t variableColumnCount = 0;
    std::vector<VariableColumnSlice> variableSlices;
    std::vector<uint8_t> rawRecord;
    std::unique_ptr<SparseVector> sparseVector;
    int32_t recordLength = 0;
    uint16_t maximumLength = 0;
    bool invalid = false;
    std::vector<CompressedColumnResult> columnResults;

    Bytes fixedView() const { return Bytes(fixedPart.data(), fixedPart.size()); }
    // Bit `index` of the null bitmap (least significant bit first); a record
    // without a bitmap has no null bits set.
    bool nullBit(int32_t index) const;
};

// Options that steer record parsing, taken from the run context.
struct RecordParseOptions {
    bool showDeleted = false;
    bool legacyCatalog = false;
    const std::atomic<bool>* stopRequested = nullptr;
    int32_t forwardingDepth = 0;  // a stub met while following a stub is not followed again
    bool stop() const { return stopRequested && stopRequested->load(std::memory_order_relaxed); }
};

class CPrimaryRecord : public CRecord {
public:
    // Parses the record at `offset` of `page` (the page's whole buffer) with
    // at most `maximumLength` bytes. `owner` supplies the header, the file
    // (to follow forwarding stubs) and the parse options; it may be null for
    // a free-standing parse (stubs are then left unresolved).
    CPrimaryRecord(Bytes page, size_t offset, uint16_t maximumLength, const PrimaryRecordPage* owner,
                   const RecordParseOptions& options, bool forceCompressed = false);

    int16_t fixedLengthOrStatus = 0;  // fixed length, or kForwardingStubUnresolved
    bool versioning = false;
    bool statusB = false;
    std::vector<uint32_t> cdCodes;    // compressed form: one code per column
    int32_t cdShortDataStart = 0;     // compressed form: where the short data region began

    // The generic measure used by the page-body scan: parses a record at
    // `offset` with maximum length 8060 and returns its length, or -1 when
    // the record is rejected (wrong type, compressed, stub, bad count).
    static int32_t measure(Bytes page, size_t offset, const RecordParseOptions& options);

private:
    CPrimaryRecord() = default;
    void parseOrdinary(Bytes record, int32_t pageType, const PrimaryRecordPage* owner,
                       const RecordParseOptions& options, bool measureOnly);
    void parseCompressed(Bytes record, const RecordParseOptions& options);
    void parseSparseVector(const VariableColumnSlice& slice);
};

}  // namespace pw
