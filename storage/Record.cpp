#include "storage/Record.h"

#include <algorithm>

#include "storage/DatabaseFile.h"
#include "storage/PageGeometry.h"
#include "storage/PageHeader.h"
#include "storage/RecordPage.h"

namespace pw {
namespace {

constexpr int16_t kMaximumColumnCount = 1024;
constexpr int16_t kMaximumFixedEnd = 8064;
constexpr int32_t kMaximumRecordSize = 8060;
constexpr uint8_t kSparseVectorType = 5;
constexpr int32_t kLargeValuePointerLength = 16;

std::vector<uint8_t> copyBytes(Bytes bytes, size_t offset, size_t count) {
    Bytes part = sliceClamped(bytes, offset, count);
    std::vector<uint8_t> out(part.begin(), part.end());
    out.resize(count, 0);
    return out;
}

// Bytes taken by a CD code in the short data region.
int32_t shortDataBytes(uint32_t code) {
    if (code >= 2 && code <= 9) return int32_t(code) - 1;
    if (code == 12) return 1;
    return 0;
}

}  // namespace

bool CRecord::nullBit(int32_t index) const {
    if (index < 0) return false;
    size_t byte = size_t(index) / 8;
    if (byte >= nullBitmap.size()) return false;
    return (nullBitmap[byte] >> (index % 8)) & 1;
}

CPrimaryRecord::CPrimaryRecord(Bytes page, size_t offset, uint16_t maximum, const PrimaryRecordPage* owner,
                               const RecordParseOptions& options, bool forceCompressed) {
    maximumLength = maximum;
    Bytes record = sliceClamped(page, offset, maximum);
    CPage_Header header = owner ? owner->header() : CPage_Header::parseOnly(page);
    if (header.thisPage.pageNumber < 0 || header.pageType > 17 || record.empty()) {
        invalid = true;
        return;
    }
    uint8_t statusA = record[0];
    if (forceCompressed) statusA |= 1;
    recordType = (statusA >> 1) & 7;
    hasNullBitmap = (statusA & 0x10) != 0;
    hasVariableColumns = (statusA & 0x20) != 0;
    compressed = (statusA & 1) != 0;
    versioning = (statusA & 0x40) != 0;
    bool accepted = recordType == kPrimaryRecord || recordType == kForwardedRecord ||
                    recordType == kForwardingStub ||
                    (options.showDeleted && recordType == kGhostDataRecord);
    // The anchor record of a compressed page carries no meaningful type bits.
    if (forceCompressed) accepted = true;
    if (!accepted) {
        invalid = true;
        return;
    }
    ghost = recordType >= kGhostIndexRecord && !options.showDeleted;
    if (compressed) {
        parseCompressed(record, options);
        return;
    }
    parseOrdinary(record, header.pageType, owner, options, false);
}

void CPrimaryRecord::parseOrdinary(Bytes record, int32_t pageType, const PrimaryRecordPage* owner,
                                   const RecordParseOptions& options, bool measureOnly) {
    (void)pageType;
    std::vector<uint8_t> forwardedCopy;
    if (recordType == kForwardingStub) {
        if (measureOnly || !owner || !owner->file() || options.forwardingDepth > 0) {
            fixedLengthOrStatus = kForwardingStubUnresolved;
            return;
        }
        RowId target = RowId::parse(record, 1);
        const DatabaseFile* file = owner->file();
        auto bytes = file->readPage(target.page);
        bool resolved = false;
        if (bytes && target.slot >= 0) {
            RecordPageOptions targetOptions = owner->options();
            targetOptions.showAdvancedDeleted = false;
            targetOptions.forwardingDepth = options.forwardingDepth + 1;
            PrimaryRecordPage targetPage(std::move(*bytes), file, targetOptions, target.slot);
            const auto& slots = targetPage.slotArray();
            if (target.slot < targetPage.header().slotCount && size_t(target.slot) < slots.size()) {
                uint16_t slotOffset = slots[size_t(target.slot)];
                CPrimaryRecord* found = targetPage.primaryRecord(size_t(target.slot));
                if (slotOffset != 0 && slotOffset <= 8096 && found && found->recordLength >= 1 &&
                    !found->rawRecord.empty()) {
                    forwardedCopy = found->rawRecord;
                    resolved = true;
                }
            }
        }
        if (!resolved) {
            fixedLengthOrStatus = kForwardingStubUnresolved;
            return;
        }
        record = Bytes(forwardedCopy.data(), forwardedCopy.size());
        uint8_t statusA = record[0];
        hasNullBitmap = (statusA & 0x10) != 0;
        hasVariableColumns = (statusA & 0x20) != 0;
        versioning = (statusA & 0x40) != 0;
        recordType = kForwardingStub;
    }
    const size_t m = record.size();
    statusB = readU8(record, 1) == 1;

    // Fixed part: bytes 4 .. e-1, where e (bytes 2-3) is the offset of the
    // column count.
    int16_t e = readI16(record, 2);
    fixedLengthOrStatus = int16_t(e - 4);
    size_t position = 4;
    bool fixedCopied = false;
    if (e > 4 && e < kMaximumFixedEnd && recordType != kIndexRecord && size_t(e) <= m) {
        if (!measureOnly) fixedPart.assign(record.begin() + 4, record.begin() + e);
        fixedCopied = true;
        position = size_t(e);
    }

    if (recordType == kIndexRecord || !fits(record, position, 2)) {
        recordLength = int32_t(std::min(position, m));
        if (!measureOnly && recordLength > 0 && size_t(recordLength) <= m)
            rawRecord.assign(record.begin(), record.begin() + recordLength);
        return;
    }
    int16_t count = readI16(record, position);
    columnCount = count;
    if (count <= 0 || count >= kMaximumColumnCount) {
        recordLength = int32_t(std::min(position, m));
        if (!measureOnly && recordLength > 0 && size_t(recordLength) <= m)
            rawRecord.assign(record.begin(), record.begin() + recordLength);
        return;
    }
    position += 2;

    if (hasNullBitmap) {
        size_t bitmapBytes = (size_t(count) + 7) / 8;
        if (!measureOnly) nullBitmap = copyBytes(record, position, bitmapBytes);
        position += bitmapBytes;
    }

    if (hasVariableColumns) {
        int32_t v = count;
        if (fixedCopied || hasNullBitmap) {
            v = fits(record, position, 2) ? readI16(record, position) : 0;
            position += 2;
        }
        if (v > count) {
            v = 0;
            position = 0;
        }
        variableColumnCount = int16_t(v);
        if (v > 0 && v < kMaximumColumnCount) {
            std::vector<uint16_t> ends;
            ends.reserve(size_t(v));
            for (int32_t k = 0; k < v && fits(record, position, 2); ++k) {
                ends.push_back(readU16(record, position));
                position += 2;
            }
            variableEndOffsets.reserve(ends.size());
            if (!measureOnly) variableSlices.reserve(ends.size());
            for (uint16_t rawEnd : ends) {
                if (options.stop()) break;
                bool complex = (rawEnd & 0x8000) != 0;
                size_t end = rawEnd & 0x7FFF;
                variableEndOffsets.push_back(uint16_t(end));
                VariableColumnSlice slice;
                slice.complex = complex;
                if (end >= position && end <= m && end < kPageSize && end - position < kPageSize &&
                    end != position && position >= 1 && position <= 8191) {
                    slice.length = int32_t(end - position);
                    slice.present = true;
                    if (!measureOnly) slice.bytes.assign(record.begin() + position, record.begin() + end);
                    position = end;
                }
                if (!measureOnly) {
                    if (slice.complex && slice.present && slice.length != kLargeValuePointerLength) {
                        uint32_t kind = slice.bytes.empty() ? 0 : slice.bytes[0];
                        if (kind == 0) kind = readU16(slice.view(), 0);
                        if (kind == kSparseVectorType) parseSparseVector(slice);
                    }
                    variableSlices.push_back(std::move(slice));
                }
            }
        }
    }
    // A damaged record may claim more than it holds; its length never does.
    recordLength = int32_t(std::min(position, m));
    if (!measureOnly && recordLength > 0 && size_t(recordLength) <= m)
        rawRecord.assign(record.begin(), record.begin() + recordLength);
}

void CPrimaryRecord::parseSparseVector(const VariableColumnSlice& slice) {
    Bytes bytes = slice.view();
    const int64_t length = int64_t(bytes.size());
    int16_t n = readI16(bytes, 2);
    auto vector = std::make_unique<SparseVector>();
    vector->columnCount = n;
    int64_t idsAt = 4, endsAt = 4 + 2 * int64_t(n), dataAt = 4 + 4 * int64_t(n);
    if (n > 0 && endsAt < int64_t(kPageSize) && dataAt < int64_t(kPageSize) && length > 4 && endsAt < length) {
        int64_t previousEnd = dataAt;
        for (int16_t k = 0; k < n; ++k) {
            int64_t end = readU16(bytes, size_t(endsAt + 2 * k));
            VariableColumnSlice value;
            value.columnId = readU16(bytes, size_t(idsAt + 2 * k));
            if (previousEnd < end && end - previousEnd <= kMaximumRecordSize && previousEnd <= 8059 &&
                end <= length) {
                value.bytes.assign(bytes.begin() + previousEnd, bytes.begin() + end);
                value.length = int32_t(end - previousEnd);
                value.present = true;
                vector->slices.push_back(std::move(value));
            }
            previousEnd = end;
        }
    }
    sparseVector = std::move(vector);
}

void CPrimaryRecord::parseCompressed(Bytes record, const RecordParseOptions& options) {
    const size_t m = record.size();
    size_t cdStart;
    int32_t count;
    if (readU8(record, 1) & 0x80) {
        count = readU16(record, 1);
        cdStart = 3;
    } else {
        count = readU8(record, 1);
        cdStart = 2;
    }
    if (count <= 0 || count > kMaximumColumnCount) {
        invalid = true;
        return;
    }
    columnCount = int16_t(count);
    cdCodes.reserve(size_t(count));
    for (int32_t c = 0; c < count; ++c) {
        size_t at = cdStart + size_t(c) / 2;
        if (at >= m) break;
        uint8_t packed = record[at];
        cdCodes.push_back(c % 2 == 0 ? (packed & 0x0F) : (packed >> 4));
    }
    size_t clusterCount = size_t(count - 1) / 30;
    size_t start = cdStart + (size_t(count) + 1) / 2 + clusterCount;
    cdShortDataStart = int32_t(start);
    int32_t shortLength = 0;
    int32_t longColumns = 0;
    for (uint32_t code : cdCodes) {
        shortLength += shortDataBytes(code);
        if (code == 10) ++longColumns;
    }
    (void)longColumns;
    size_t position = start;
    if (shortLength > 0 && shortLength < kMaximumRecordSize && recordType != kIndexRecord &&
        size_t(shortLength) <= m && start + size_t(shortLength) <= 8059 && start + size_t(shortLength) <= m) {
        fixedPart.assign(record.begin() + start, record.begin() + start + size_t(shortLength));
        position = start + size_t(shortLength);
    }
    fixedLengthOrStatus = int16_t(fixedPart.size());
    if (recordType == kIndexRecord) {
        recordLength = int32_t(std::min(position, m));
        return;
    }
    if (hasNullBitmap) {
        size_t bitmapBytes = (size_t(count) + 7) / 8;
        nullBitmap = copyBytes(record, position, bitmapBytes);
        position += bitmapBytes;
    }
    if (hasVariableColumns && position < m) {
        std::vector<uint16_t> entries;
        size_t regionStart = position;
        if ((record[position] & 1) && position + 1 < m - 2) {
            int32_t d = readU16(record, position + 1);
            if (d > 0 && d <= count) {
                for (int32_t k = 0; k < d && fits(record, position + 3 + 2 * size_t(k), 2); ++k)
                    entries.push_back(readU16(record, position + 3 + 2 * size_t(k)));
            }
        }
        position = regionStart + 1 + 2 + 2 * entries.size() + size_t(count - 1) / 30;
        variableColumnCount = int16_t(entries.size());
        if (!entries.empty() && entries.size() < size_t(kMaximumColumnCount)) {
            int32_t previousEnd = 0;
            for (uint16_t entry : entries) {
                if (options.stop()) break;
                bool complex = (entry & 0x8000) != 0;
                int32_t end = entry & 0x7FFF;
                variableEndOffsets.push_back(uint16_t(end));
                int32_t length = end - previousEnd;
                if (length <= 0) continue;
                VariableColumnSlice slice;
                slice.complex = complex;
                if (size_t(length) >= m || length > 8191 || previousEnd > 8191) {
                    variableSlices.push_back(std::move(slice));
                    continue;
                }
                if (position + size_t(length) < kPageSize && position + size_t(length) <= m) {
                    slice.bytes.assign(record.begin() + position, record.begin() + position + size_t(length));
                    slice.length = length;
                    slice.present = true;
                    variableSlices.push_back(std::move(slice));
                    previousEnd = end;
                    position += size_t(length);
                }
            }
        }
    }
    recordLength = int32_t(std::min(position, m));
    if (recordLength > 0 && size_t(recordLength) <= m)
        rawRecord.assign(record.begin(), record.begin() + recordLength);
}

int32_t CPrimaryRecord::measure(Bytes page, size_t offset, const RecordParseOptions& options) {
    if (offset >= page.size()) return -1;
    Bytes record = sliceClamped(page, offset, kMaximumRecordSize);
    CPage_Header header = CPage_Header::parseOnly(page);
    if (header.thisPage.pageNumber < 0 || header.pageType > 17) return -1;
    CPrimaryRecord measured;
    uint8_t statusA = record[0];
    measured.recordType = (statusA >> 1) & 7;
    measured.hasNullBitmap = (statusA & 0x10) != 0;
    measured.hasVariableColumns = (statusA & 0x20) != 0;
    bool accepted = measured.recordType == kPrimaryRecord || measured.recordType == kForwardedRecord ||
                    (options.showDeleted && measured.recordType == kGhostDataRecord);
    if (!accepted || (statusA & 1)) return -1;
    measured.parseOrdinary(record, header.pageType, nullptr, options, true);
    if (measured.columnCount <= 0 || measured.columnCount >= kMaximumColumnCount) return -1;
    return measured.recordLength;
}

}  // namespace pw
