#include "values/RecordDecoder.h"

#include <algorithm>

#include "values/HexText.h"
#include "values/LargeValueText.h"
#include "values/ValueFormatter.h"

namespace pw {
namespace {

constexpr size_t kRecordHeaderSize = 4;  // status bytes and the fixed-part end precede the fixed data
constexpr uint8_t kInRowRootKind = 2;
constexpr uint8_t kLargeRootKind = 4;
constexpr uint32_t kCdNull = 0;
constexpr uint32_t kCdLong = 10;
const char* const kBinaryPlaceholder = "<BINARY DATA>";
const char* const kBigBinaryPlaceholder = "<BIG BINARY DATA>";

// The binary types whose formatted digits get their "0x" here (the
// formatter writes binary(n), timestamp and hierarchyid with it already).
bool takesBinaryPrefix(TypeCode code) {
    return code == TypeCode::VarBinary || code == TypeCode::Image || code == TypeCode::ClrType;
}

}  // namespace

struct RecordDecoder::RecordState {
    const CPrimaryRecord& record;
    BitCursor bitCursor;
    int32_t variableCounter = 0;
    int32_t processed = 0;      // stored columns met so far
    size_t fixedOffset = 0;     // running offset in the fixed part
    size_t compressedOffset = 0;
    int32_t sparseCount = 0;
    bool compressedForm = false;
};

RecordDecoder::RecordDecoder(const std::vector<ColumnDescriptor>& layout, RecordDecodeOptions options,
                             const RunContext& context, LargeValueReader& reader)
    : layout_(layout), options_(options), context_(context), reader_(reader) {}

bool RecordDecoder::legacyPlacement() const {
    return options_.form == LayoutForm::Legacy && context_.legacy();
}

bool RecordDecoder::listing() const {
    return !options_.definitionRows && context_.listingInProgress.load(std::memory_order_relaxed);
}

void RecordDecoder::decode(const CPrimaryRecord& record, DecodedRow& row) {
    row.clear();
    // Texts take about as many bytes as the record; hexadecimal twice as many.
    row.reserve(layout_.size(), size_t(std::max(record.recordLength, 0)) * 2 + 16);
    RecordState state{record, {}, 0, 0, 0, 0, 0, false};
    state.sparseCount = record.sparseVector ? int32_t(record.sparseVector->slices.size()) : 0;
    // A compressed record rebuilt for this layout: one result per column.
    state.compressedForm = record.compressed && !context_.legacy() && !record.cdCodes.empty() &&
                           record.columnResults.size() == record.cdCodes.size();
    for (const ColumnDescriptor& column : layout_) {
        if (column.physicalColumnId == kNotStored) {
            // Not stored in the record (a computed column): the text the
            // layout was built with, usually the column's expression.
            if (column.infoText.empty()) row.appendNull();
            else row.append(column.infoText);
            continue;
        }
        if (state.compressedForm) decodeCompressedColumn(column, state, row);
        else decodeColumn(column, state, row);
    }
}

bool RecordDecoder::isNullByBitmap(const ColumnDescriptor& column, const RecordState& state) const {
    const CPrimaryRecord& record = state.record;
    if (record.nullBitmap.empty()) return false;
    const int32_t count = record.columnCount;
    // The rowset column table keeps the null bit in the low 16 bits; the
    // high bits carry other numbers (a key position) in index rowsets.
    const int32_t n = column.nullBit > 0xFFFF ? (column.nullBit & 0xFFFF) : column.nullBit;
    if (n > 0 && n <= count) return record.nullBit(n - 1);
    if (n > count) return true;  // the column came after this record was written: absent
    if (options_.form == LayoutForm::Legacy) return record.nullBit(state.processed);
    int32_t physical = column.physicalColumnId > count ? column.columnId : column.physicalColumnId;
    int32_t bit = physical - state.sparseCount - 1;
    if (bit > 0 && bit <= count) return record.nullBit(bit);
    return record.nullBit(state.sparseCount);
}

void RecordDecoder::store(const ColumnDescriptor& column, std::string_view text, bool isNull,
                          DecodedRow& row) const {
    if (isNull) {
        row.appendNull();
        return;
    }
    if (takesBinaryPrefix(column.typeCode) && text != " " && text != kBinaryPlaceholder &&
        text != kBigBinaryPlaceholder)
        row.append("0x", text);
    else
        row.append(text);
}

std::string RecordDecoder::format(Bytes bytes, ColumnReadInfo& info, const ColumnDescriptor& column) {
    if (column.typeCode == TypeCode::SqlVariant) {
        if (options_.definitionRows && options_.form == LayoutForm::Legacy) {
            // The definition table of SQL Server 2000 keeps no variants; a
            // value there is read past the variant header as plain data.
            Bytes rest = sliceClamped(bytes, 8, bytes.size());
            ColumnReadInfo plain = info;
            plain.valueLength = int32_t(rest.size());
            plain.availableBytes = rest.size();
            return formatValue(rest.data() ? rest : bytes.first(0), plain, column, context_);
        }
        return formatVariant(bytes, info, column, context_);
    }
    if (column.typeCode == TypeCode::Image) {
        ColumnDescriptor asBinary = column;
        asBinary.typeCode = TypeCode::VarBinary;
        return formatValue(bytes, info, asBinary, context_);
    }
    return formatValue(bytes, info, column, context_);
}

std::string RecordDecoder::sparseText(const ColumnDescriptor& column, const RecordState& state, bool& found) {
    found = false;
    std::string text;
    if (!state.record.sparseVector) return text;
    for (const VariableColumnSlice& entry : state.record.sparseVector->slices) {
        if (entry.columnId != column.columnId || !entry.present) continue;
        ColumnReadInfo info = describeColumn(column, nullptr);
        info.valueLength = entry.length;
        info.availableBytes = uint64_t(entry.length);
        BitCursor cursor;
        info.bitCursor = &cursor;
        text = format(entry.view(), info, column);  // the last match wins
        found = true;
    }
    return text;
}

void RecordDecoder::storeLargeValue(const ColumnDescriptor& column, const LargeValue& value, DecodedRow& row) {
    Bytes bytes(value.bytes.data(), value.bytes.size());
    if (takesBinaryPrefix(column.typeCode)) {
        // Hexadecimal digits straight into the row: a large value is copied once.
        std::string& buffer = row.valueBuffer();
        buffer += "0x";
        appendHexUpper(buffer, bytes);
        row.endValue();
        return;
    }
    store(column, formatLargeValue(bytes, column, context_), false, row);
}

void RecordDecoder::storeComplex(const ColumnDescriptor& column, const VariableColumnSlice& slice, DecodedRow& row) {
    Bytes bytes = slice.view();
    if (!slice.present || bytes.empty()) {
        store(column, {}, false, row);
        return;
    }
    const bool xml = column.typeCode == TypeCode::Xml;
    const bool legacyDecoder = options_.form == LayoutForm::Legacy;
    // The definition table of SQL Server 2000 keeps no xml: bytes found
    // there are not converted.
    const bool dropXml = xml && options_.definitionRows && legacyDecoder;
    if (bytes.size() == kTextPointerSize && bytes[0] == 0) {
        if (listing() && (!xml || legacyDecoder)) {
            store(column, kBinaryPlaceholder, false, row);
            return;
        }
        LargeValue value = reader_.readTextPointerValue(TextPointerReader(bytes));
        if (!value.found || dropXml) store(column, {}, false, row);
        else storeLargeValue(column, value, row);
        return;
    }
    uint8_t kind = bytes[0];
    if (kind != kInRowRootKind && kind != kLargeRootKind) {
        store(column, {}, false, row);
        return;
    }
    if (kind == kLargeRootKind && listing() && (!xml || legacyDecoder)) {
        store(column, kBigBinaryPlaceholder, false, row);
        return;
    }
    LargeValue value = reader_.readInRowRootValue(bytes);
    if (dropXml) store(column, {}, false, row);
    else storeLargeValue(column, value, row);
}

void RecordDecoder::storeVariable(const ColumnDescriptor& column, ColumnReadInfo& info,
                                  const VariableColumnSlice& slice, DecodedRow& row) {
    if (slice.complex) {
        storeComplex(column, slice, row);
        return;
    }
    // A zero-length value has no bytes: an empty string, an empty binary.
    Bytes bytes = slice.present ? slice.view() : Bytes(reinterpret_cast<const uint8_t*>(""), size_t(0));
    info.valueLength = int32_t(bytes.size());
    info.availableBytes = bytes.size();
    store(column, format(bytes, info, column), false, row);
}

void RecordDecoder::decodeColumn(const ColumnDescriptor& column, RecordState& state, DecodedRow& row) {
    const CPrimaryRecord& record = state.record;
    ColumnReadInfo info = describeColumn(column, &state.bitCursor);
    int32_t variableIndex = state.variableCounter;
    if (legacyPlacement()) {
        if (info.variable && column.legacyRowOffset < 0) variableIndex = -1 - column.legacyRowOffset;
    } else if (info.variable && column.leafOffset < 0) {
        variableIndex = -1 - column.leafOffset;
    }

    if (column.sparse) {
        bool found = false;
        std::string text = sparseText(column, state, found);
        store(column, text, !found, row);
        return;
    }

    bool isNull = false;
    if (!options_.definitionRows) {
        if (options_.form == LayoutForm::Rowset && !column.stored) isNull = true;
        else if (isNullByBitmap(column, state)) isNull = true;
    }
    const bool present = state.processed < record.columnCount;
    ++state.processed;

    if (info.variable) {
        ++state.variableCounter;
        if (isNull || !present || variableIndex < 0 || size_t(variableIndex) >= record.variableSlices.size()) {
            // Trailing variable columns that are NULL are not stored at all.
            store(column, {}, true, row);
            return;
        }
        if (legacyPlacement()) state.variableCounter = variableIndex + 1;
        storeVariable(column, info, record.variableSlices[size_t(variableIndex)], row);
        return;
    }

    // A fixed column.
    const size_t length = record.fixedPart.size();
    size_t at = state.fixedOffset;
    bool located = false;
    if (length > 0) {
        int32_t declared = legacyPlacement() ? column.legacyRowOffset : column.leafOffset;
        int32_t p = declared - int32_t(kRecordHeaderSize);
        if (legacyPlacement()) {
            if (declared >= int32_t(kRecordHeaderSize) && size_t(p) < length) {
                at = size_t(p);
                located = true;
            }
        } else if (p >= 0 && size_t(p) <= length) {
            at = size_t(p);
            located = true;
        }
        if (!located && state.fixedOffset < length) located = true;
    }
    if (isNull || !present || !located) {
        if (column.typeCode == TypeCode::Bit) skipBit(state, located ? at : state.fixedOffset);
        else state.fixedOffset += info.fixedLength;
        store(column, {}, isNull || !present, row);
        return;
    }
    Bytes fixed = record.fixedView();
    Bytes value = fixed.subspan(at);
    if (value.data() == nullptr) value = Bytes(reinterpret_cast<const uint8_t*>(""), size_t(0));
    std::string text = format(value, info, column);
    state.fixedOffset += info.consumedLength;
    store(column, text, false, row);
}

void RecordDecoder::skipBit(RecordState& state, size_t at) const {
    // A bit column without a value still owns its bit: the cursor moves on
    // as if it had been read, so the next bit column reads its own bit.
    BitCursor& cursor = state.bitCursor;
    if (cursor.bitPosition >= 8 || !cursor.byteLoaded) {
        cursor.currentByte = readU8(state.record.fixedView(), at);
        cursor.bitPosition = 1;
        cursor.byteLoaded = true;
        state.fixedOffset += 1;
    } else {
        ++cursor.bitPosition;
    }
}

void RecordDecoder::decodeCompressedColumn(const ColumnDescriptor& column, RecordState& state, DecodedRow& row) {
    const CPrimaryRecord& record = state.record;
    const size_t index = size_t(state.processed);
    ++state.processed;
    if (index >= record.cdCodes.size()) {
        store(column, {}, true, row);
        return;
    }
    const uint32_t code = record.cdCodes[index];
    const CompressedColumnResult& result = record.columnResults[index];
    if (code == kCdNull || result.isNull) {
        store(column, {}, true, row);
        return;
    }
    ColumnReadInfo info = describeColumn(column, nullptr);
    if (code == kCdLong) {
        size_t slot = size_t(state.variableCounter++);
        if (slot >= record.variableSlices.size()) {
            store(column, {}, true, row);
            return;
        }
        info.variable = true;
        storeVariable(column, info, record.variableSlices[slot], row);
        return;
    }
    // A short, empty, bit or dictionary value, rebuilt into its own slot.
    Bytes fixed = record.fixedView();
    Bytes value = sliceClamped(fixed, state.compressedOffset, size_t(std::max(result.length, 0)));
    state.compressedOffset += size_t(std::max(result.length, 0));
    if (value.data() == nullptr) value = Bytes(reinterpret_cast<const uint8_t*>(""), size_t(0));
    BitCursor cursor;
    info.bitCursor = &cursor;
    info.valueLength = int32_t(value.size());
    info.availableBytes = value.size();
    if (column.typeCode == TypeCode::Bit) info.valueLength = 1;
    std::string text = format(value, info, column);
    store(column, text, false, row);
}

}  // namespace pw
