#pragma once
// One record of a table decoded into display texts: one value per column of
// the row layout it was decoded with, in layout order. Each value keeps its
// text and whether it is SQL NULL, so that a NULL can be told from the text
// "NULL". The texts share one buffer, so a row costs two allocations however
// many columns it has.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/PagePointer.h"

namespace pw {

class DecodedRow {
public:
    // Number of values (the layout's column count).
    size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }

    // The text of value `column`; empty for a NULL or an index out of range.
    std::string_view text(size_t column) const {
        if (column >= ends_.size()) return {};
        uint32_t start = column == 0 ? 0 : ends_[column - 1].end;
        return std::string_view(buffer_).substr(start, ends_[column].end - start);
    }
    bool isNull(size_t column) const { return column >= ends_.size() || ends_[column].isNull; }
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
        ends_.reserve(columns);
        buffer_.reserve(bytes);
    }
    void append(std::string_view value) {
        buffer_.append(value);
        ends_.push_back({uint32_t(buffer_.size()), false});
    }
    void appendNull() { ends_.push_back({uint32_t(buffer_.size()), true}); }
    void clear() {
        buffer_.clear();
        ends_.clear();
    }

private:
    struct End {
        uint32_t end;
        bool isNull;
    };
    std::string buffer_;
    std::vector<End> ends_;
};

}  // namespace pw
