#pragma once
// Follows text pointers and in-row roots to the large-value records that
// hold a value and assembles the value's bytes, structure by structure
// (SMALL_ROOT, INTERNAL, DATA and the large roots).
//
// Every walk is bounded: a record (file, page, slot) is visited at most once
// per value, trees deeper than kMaximumLobDepth are not followed, and a
// value stops growing at kMaximumLargeValueBytes, or earlier when it would
// hold more bytes than the distinct pages it was read from (overlapping
// records of a damaged page). A link cycle, absurd
// nesting or a damaged link therefore ends the walk with the bytes read so
// far. Missing pages, slots, records, unknown structure types and lengths
// out of range contribute nothing.

#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

#include "storage/PagePointer.h"
#include "values/TextPointerReader.h"

namespace pw {

class DatabaseFile;
class TextMixPage;
struct RunContext;

constexpr int kMaximumLobDepth = 16;
constexpr size_t kMaximumLargeValueBytes = size_t(1) << 30;

struct LargeValue {
    // The record the pointer or root names was found (for a text pointer:
    // the page, the slot and the record exist).
    bool found = false;
    std::vector<uint8_t> bytes;
};

class LargeValueReader {
public:
    // `file` may be null (a page without a file): nothing is then read.
    LargeValueReader(const DatabaseFile* file, const RunContext& context);
    ~LargeValueReader();
    LargeValueReader(const LargeValueReader&) = delete;
    LargeValueReader& operator=(const LargeValueReader&) = delete;

    // The value whose root record a text pointer names.
    LargeValue readTextPointerValue(const TextPointerReader& pointer);
    // The value of an in-row root (a complex column of kind 2 or 4): a
    // 12-byte header, then links of 12 bytes (size i32, page u32, file u16,
    // slot u16); the values of the links with a positive size, in order.
    LargeValue readInRowRootValue(Bytes root);
    // Appends the value held by one large-value record's data (from the
    // blob id on), following its links.
    void assembleLargeValue(Bytes recordData, LargeValue& value);

    // Large-value pages read from the file so far (for tests and benches).
    uint64_t pagesRead() const { return pagesRead_; }

private:
    struct Walk;
    std::shared_ptr<TextMixPage> page(PagePointer pointer);
    void appendRecord(const RowId& rowId, Walk& walk, LargeValue& value, bool& found);
    void appendStructure(Bytes data, Walk& walk, LargeValue& value);
    static void appendBytes(Bytes bytes, size_t budget, LargeValue& value);

    const DatabaseFile* file_;
    const RunContext& context_;
    // A few recently read pages: the parts of one value, and the roots of
    // neighbouring rows, often share pages.
    std::vector<std::pair<PagePointer, std::shared_ptr<TextMixPage>>> cache_;
    uint64_t pagesRead_ = 0;
};

}  // namespace pw
