#pragma once
// Turns one parsed record into one DecodedRow, column by column of a row
// layout: locates each column's bytes (fixed part, variable columns, sparse
// vector, the rebuilt parts of a compressed record), decides NULL from the
// null bitmap, and formats the bytes, following large values outside the
// row.
//
// Two layouts are understood. The rowset layout places columns by the leaf
// offsets and null bits of the catalog's rowset columns (2005 and later);
// the legacy layout is that of the SQL Server 2000 column table, placing
// columns by their row offsets (xoffset), or, when the catalog is not the
// SQL Server 2000 one, as the rowset layout does. The definition twins read
// the object definition tables, whose fixed layout carries no physical
// positions: no NULL tests, no listing placeholders.

#include <vector>

#include "app/RunContext.h"
#include "catalog/ColumnDescriptor.h"
#include "storage/Record.h"
#include "values/DecodedRow.h"
#include "values/ColumnReadInfo.h"
#include "values/LargeValueReader.h"

namespace pw {

enum class LayoutForm {
    Rowset,  // leaf offsets and null bits of the rowset columns
    Legacy,  // the SQL Server 2000 column table, or no physical layout
};

struct RecordDecodeOptions {
    LayoutForm form = LayoutForm::Rowset;
    bool definitionRows = false;
};

class RecordDecoder {
public:
    // The layout and the reader must outlive the decoder.
    RecordDecoder(const std::vector<ColumnDescriptor>& layout, RecordDecodeOptions options,
                  const RunContext& context, LargeValueReader& reader);

    // Appends one value per layout column to `row` (which is cleared first).
    void decode(const CPrimaryRecord& record, DecodedRow& row);

private:
    struct RecordState;
    struct Located;

    void decodeColumn(const ColumnDescriptor& column, RecordState& state, DecodedRow& row);
    void decodeCompressedColumn(const ColumnDescriptor& column, RecordState& state, DecodedRow& row);
    bool isNullByBitmap(const ColumnDescriptor& column, const RecordState& state) const;
    void storeVariable(const ColumnDescriptor& column, ColumnReadInfo& info, const VariableColumnSlice& slice,
                       DecodedRow& row);
    void storeComplex(const ColumnDescriptor& column, const VariableColumnSlice& slice, DecodedRow& row);
    void storeLargeValue(const ColumnDescriptor& column, const LargeValue& value, DecodedRow& row);
    std::string sparseText(const ColumnDescriptor& column, const RecordState& state, bool& found);
    std::string format(Bytes bytes, ColumnReadInfo& info, const ColumnDescriptor& column);
    void store(const ColumnDescriptor& column, std::string_view text, bool isNull, DecodedRow& row) const;
    void skipBit(RecordState& state, size_t at) const;
    bool legacyPlacement() const;
    bool listing() const;

    const std::vector<ColumnDescriptor>& layout_;
    RecordDecodeOptions options_;
    const RunContext& context_;
    LargeValueReader& reader_;
};

}  // namespace pw
