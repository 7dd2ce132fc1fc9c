#pragma once
// One record of a table decoded into display texts: one value per column of
// the row layout it was decoded with, in layout order. Each value keeps its
// text and whether it is SQL NULL, so that a NULL can be told from the text
// "NULL". The texts share one buffer, so a row costs one allocation however
// many columns it has (up to twenty; more take one more).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/PagePointer.h"

namespace pw {

class DecodedRow {
public:
    // Number of values (the layout's column count).
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

    // The text of value `column`; empty for a NULL or an index out of range.
    std::string_view text(size_t column) const {
        if (column >= count_) return {};
        uint32_t start = column == 0 ? 0 : endAt(column - 1).end;
        return std::string_view(buffer_).substr(start, endAt(column).end - start);
    }
    bool isNull(size_t column) const { return column >= count_ || endAt(column).isNull; }
    // What the record list shows: "NULL" for a NULL value, else the text.
    std::string displayText(size_t column) const {
        return isNull(column) ? std::string("NULL") : std::string(text(column));
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        out.reserve(size());
        for (size_t c = 0; c < size(); ++c) out.emplace_back(text(c));
        return out;
    }

    // Where the record came from: its page and slot (scanned records of the
    // page-body search are numbered after the page's own slots), and whether
    // it was a ghost (deleted) record.
    PagePointer page{0, 0};
    int32_t slot = -1;
    bool ghost = false;

    // Building, value by value in column order.
    void reserve(size_t columns, size_t bytes) {
        if (columns > kInlineValues) overflow_.reserve(columns - kInlineValues);
        buffer_.reserve(bytes);
    }
    void append(std::string_view value) { append(std::string_view(), value); }
    // A value whose text is `prefix` followed by `value` ("0x" and digits).
    void append(std::string_view prefix, std::string_view value) {
        buffer_.append(prefix.substr(0, room()));
        buffer_.append(value.substr(0, room()));
        push({uint32_t(buffer_.size()), false});
    }
    // A value written straight into the row's text buffer (a large value,
    // without a copy): append to valueBuffer(), then call endValue().
    std::string& valueBuffer() { return buffer_; }
    void endValue() {
        if (buffer_.size() > kMaximumBytes) buffer_.resize(kMaximumBytes);
        push({uint32_t(buffer_.size()), false});
    }
    void appendNull() { push({uint32_t(buffer_.size()), true}); }
    void clear() {
        buffer_.clear();
        overflow_.clear();
        count_ = 0;
    }

private:
    struct End {
        uint32_t end = 0;
        bool isNull = false;
    };
    // The ends of the first values live inside the row: a typical row then
    // costs one allocation, its text buffer.
    static constexpr size_t kInlineValues = 20;
    // Texts are addressed by 32-bit ends; a row never holds more.
    static constexpr size_t kMaximumBytes = UINT32_MAX;

    size_t room() const { return kMaximumBytes - buffer_.size(); }

    const End& endAt(size_t column) const {
        return column < kInlineValues ? inline_[column] : overflow_[column - kInlineValues];
    }
    void push(End end) {
        if (count_ < kInlineValues) inline_[count_] = end;
        else overflow_.push_back(end);
        ++count_;
    }

    std::string buffer_;
    End inline_[kInlineValues];
    std::vector<End> overflow_;
    size_t count_ = 0;
};

}  // namespace pw
