#include "storage/CompressedRowExpansion.h"

#include <algorithm>

#include "catalog/ColumnDescriptor.h"
#include "storage/CompressedValueExpansion.h"

namespace pw {
namespace {

// CD codes of the compressed record format: one 4-bit code per column.
constexpr uint32_t kCdNull = 0;
constexpr uint32_t kCdEmpty = 1;
constexpr uint32_t kCdFirstShort = 2;   // 2 ... 9: a short value of 1 ... 8 bytes
constexpr uint32_t kCdLastShort = 9;
constexpr uint32_t kCdLong = 10;
constexpr uint32_t kCdBitOne = 11;      // a bit column holding 1; no bytes
constexpr uint32_t kCdPageSymbol = 12;  // one byte: an index into the page dictionary
constexpr size_t kMaximumValueBytes = 8060;

// The stored columns of a layout (computed columns that are not stored
// have no CD code).
std::vector<const ColumnDescriptor*> storedColumns(const std::vector<ColumnDescriptor>& layout) {
    std::vector<const ColumnDescriptor*> columns;
    columns.reserve(layout.size());
    for (const ColumnDescriptor& column : layout)
        if (column.physicalColumnId != kNotStored) columns.push_back(&column);
    return columns;
}

// A value stored with page compression's column prefix: its first byte
// counts the leading bytes taken from the anchor value (high bit cleared),
// the rest follows them.
std::vector<uint8_t> withAnchorPrefix(Bytes stored, const ValueBytes* anchor) {
    if (!anchor || anchor->length < 1 || stored.empty()) return std::vector<uint8_t>(stored.begin(), stored.end());
    size_t prefix = stored[0] & 0x7F;
    prefix = std::min(prefix, anchor->bytes.size());
    std::vector<uint8_t> value(anchor->bytes.begin(), anchor->bytes.begin() + long(prefix));
    value.insert(value.end(), stored.begin() + 1, stored.end());
    if (value.size() > kMaximumValueBytes) value.resize(kMaximumValueBytes);
    return value;
}

}  // namespace

void buildAnchorValues(PrimaryRecordPage& page, const CPrimaryRecord& anchor,
                       const std::vector<ColumnDescriptor>& layout) {
    page.anchorValues.clear();
    const size_t stored = storedColumns(layout).size();
    Bytes shortData = anchor.fixedView();
    size_t shortAt = 0;
    size_t longAt = 0;
    const RecordPageOptions& options = page.options();
    for (size_t i = 0; i < size_t(std::max<int16_t>(anchor.columnCount, 0)) && i < anchor.cdCodes.size() &&
                       i < stored;
         ++i) {
        if (options.stop()) break;
        const uint32_t code = anchor.cdCodes[i];
        ValueBytes entry;
        if (code == kCdNull) {
            entry.length = -2;
        } else if (code == kCdEmpty) {
            entry.length = -1;
        } else if (code >= kCdFirstShort && code <= kCdLastShort) {
            Bytes value = sliceClamped(shortData, shortAt, code - 1);
            shortAt += code - 1;
            entry.bytes.assign(value.begin(), value.end());
            entry.length = int32_t(entry.bytes.size());
        } else if (code == kCdLong) {
            if (longAt < anchor.variableSlices.size()) {
                const VariableColumnSlice& slice = anchor.variableSlices[longAt];
                entry.bytes = slice.bytes;
                entry.length = int32_t(entry.bytes.size());
            }
            ++longAt;
        } else if (code == kCdPageSymbol) {
            ++shortAt;  // an anchor does not refer to the dictionary; keep the positions right
        }
        // Every column keeps its place, whatever its code.
        page.anchorValues.push_back(std::move(entry));
    }
}

bool expandRecord(CPrimaryRecord& record, const PrimaryRecordPage& page, const std::vector<ColumnDescriptor>& layout) {
    if (record.recordType == kForwardingStub || record.recordType == kBlobFragment) return false;
    const std::vector<const ColumnDescriptor*> columns = storedColumns(layout);
    if (columns.empty() || columns.size() != size_t(std::max<int16_t>(record.columnCount, 0))) return false;

    Bytes shortData = record.fixedView();
    size_t shortAt = 0;
    size_t longAt = 0;
    std::vector<uint8_t> output;
    output.reserve(std::min<size_t>(columns.size() * 8, kMaximumValueBytes));
    std::vector<CompressedColumnResult> results;
    results.reserve(columns.size());
    const RecordPageOptions& options = page.options();

    for (size_t i = 0; i < columns.size() && i < record.cdCodes.size(); ++i) {
        if (options.stop()) break;
        const ColumnDescriptor& column = *columns[i];
        const uint32_t code = record.cdCodes[i];
        const ValueBytes* anchor = i < page.anchorValues.size() ? &page.anchorValues[i] : nullptr;
        if (anchor && anchor->length < 1) anchor = nullptr;
        CompressedColumnResult result;
        std::vector<uint8_t> value;
        bool hasValue = true;
        if (code == kCdNull) {
            result.isNull = true;
            hasValue = false;
        } else if (code == kCdEmpty) {
            // With an anchor the column's value is the anchor value itself.
            if (anchor) value = anchor->bytes;
        } else if (code >= kCdFirstShort && code <= kCdLastShort) {
            Bytes stored = sliceClamped(shortData, shortAt, code - 1);
            shortAt += code - 1;
            value = withAnchorPrefix(stored, anchor);
        } else if (code == kCdBitOne) {
            value = {1};
        } else if (code == kCdPageSymbol) {
            uint8_t index = readU8(shortData, shortAt);
            ++shortAt;
            if (index < page.dictionaryEntries.size()) {
                const ValueBytes& entry = page.dictionaryEntries[index];
                value = withAnchorPrefix(Bytes(entry.bytes.data(), entry.bytes.size()), anchor);
            } else {
                result.isNull = true;  // a symbol the page does not define: the value is lost
                hasValue = false;
            }
        } else if (code == kCdLong) {
            if (longAt < record.variableSlices.size()) {
                VariableColumnSlice& slice = record.variableSlices[longAt];
                // Pointers to values outside the row stay as they are.
                if (!slice.complex && slice.present) {
                    std::vector<uint8_t> full = withAnchorPrefix(slice.view(), anchor);
                    slice.bytes = expandCompressedValue(Bytes(full.data(), full.size()), column);
                    slice.length = int32_t(slice.bytes.size());
                    slice.present = !slice.bytes.empty();
                }
            }
            ++longAt;
            hasValue = false;
        } else {
            hasValue = false;  // an unknown code: no bytes
            result.isNull = true;
        }
        if (hasValue) {
            std::vector<uint8_t> expanded = expandCompressedValue(Bytes(value.data(), value.size()), column);
            result.length = int32_t(expanded.size());
            output.insert(output.end(), expanded.begin(), expanded.end());
        }
        results.push_back(result);
    }
    record.fixedPart = std::move(output);
    record.fixedLengthOrStatus = int16_t(std::min<size_t>(record.fixedPart.size(), INT16_MAX));
    record.columnResults = std::move(results);
    return true;
}

}  // namespace pw
