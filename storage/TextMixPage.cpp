#include "storage/TextMixPage.h"

namespace pw {

TextRecord::TextRecord(Bytes page, size_t offset, size_t maximum) {
    Bytes record = sliceClamped(page, offset, maximum);
    maximumLength = uint16_t(record.size() > 0xFFFF ? 0xFFFF : record.size());
    if (record.empty()) {
        invalid = true;
        return;
    }
    uint8_t statusA = record[0];
    recordType = (statusA >> 1) & 7;
    hasNullBitmap = (statusA & 0x10) != 0;
    hasVariableColumns = (statusA & 0x20) != 0;
    versioning = (statusA & 0x40) != 0;
    statusB = readU8(record, 1) == 1;
    int16_t d = int16_t(readU16(record, 2) - 4);
    if (d <= 0 || size_t(d) >= record.size() || !fits(record, 4, size_t(d))) return;
    fixedPart.assign(record.begin() + 4, record.begin() + 4 + d);
    recordLength = 4 + d;
    if (d >= 10) {
        blobIdLow = readU32(data(), 0);
        blobIdHigh = readU32(data(), 4);
        structureType = readU16(data(), 8);
        valueLength = d - 10;
    } else {
        structureType = 8;
        valueLength = d;
    }
}

TextMixPage::TextMixPage(PageBytes buffer, const DatabaseFile* file, const std::atomic<bool>& stopRequested)
    : RecordPage(std::move(buffer), file) {
    if (stopRequested.load()) return;
    records.reserve(slotArray_.size());
    for (size_t slot = 0; slot < slotArray_.size() && !stopRequested.load(std::memory_order_relaxed); ++slot) {
        uint16_t offset = slotArray_[slot];
        if (offset > kPageSize) {
            records.push_back(nullptr);
            continue;
        }
        records.push_back(std::make_unique<TextRecord>(bytes(), offset, kPageSize - offset));
    }
}

TextRecord* TextMixPage::textRecord(size_t slot) const {
    if (slot >= records.size()) return nullptr;
    return static_cast<TextRecord*>(records[slot].get());
}

void TextMixPage::releaseRecord(size_t slot) {
    if (slot < records.size()) records[slot].reset();
}

}  // namespace pw
