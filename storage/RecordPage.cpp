#include "storage/RecordPage.h"

#include <algorithm>

#include "app/RunContext.h"
#include "storage/CompressedRowExpansion.h"

namespace pw {

std::vector<uint16_t> readSlotArray(Bytes page, int16_t slotCount) {
    std::vector<uint16_t> slots;
    if (slotCount <= 0 || slotCount >= kMaximumSlotCount) return slots;
    slots.reserve(size_t(slotCount));
    for (int32_t j = 0; j < slotCount; ++j) slots.push_back(readU16(page, kPageSize - 2 - 2 * size_t(j)));
    return slots;
}

RecordPageOptions RecordPageOptions::from(const RunContext& context, const std::vector<ColumnDescriptor>* layout) {
    RecordPageOptions options;
    options.showDeleted = context.options.showDeleted;
    options.showAdvancedDeleted = context.options.showAdvancedDeleted;
    options.legacyCatalog = context.legacy();
    options.stopRequested = &context.stopRequested;
    options.layout = layout;
    return options;
}

CPage::CPage(PageBytes buffer, const DatabaseFile* file) : buffer_(std::move(buffer)), file_(file) {
    buffer_.resize(kPageSize, 0);
    header_ = CPage_Header(std::span<uint8_t>(buffer_.data(), buffer_.size()));
}

RecordPage::RecordPage(PageBytes buffer, const DatabaseFile* file) : CPage(std::move(buffer), file) {
    slotArray_ = readSlotArray(bytes(), header_.slotCount);
    hasSlotArray_ = !slotArray_.empty();
}

PrimaryRecordPage::PrimaryRecordPage(PageBytes buffer, const DatabaseFile* file, const RecordPageOptions& options)
    : RecordPage(std::move(buffer), file), options_(options) {
    readCompressionInfo();
    if (options_.showDeleted && options_.showAdvancedDeleted) scanPageBody();
    buildRecords(std::nullopt);
}

PrimaryRecordPage::PrimaryRecordPage(PageBytes buffer, const DatabaseFile* file, const RecordPageOptions& options,
                                     int16_t onlySlot)
    : RecordPage(std::move(buffer), file), options_(options) {
    readCompressionInfo();
    buildRecords(onlySlot);
}

CPrimaryRecord* PrimaryRecordPage::primaryRecord(size_t slot) const {
    if (slot >= records.size()) return nullptr;
    return static_cast<CPrimaryRecord*>(records[slot].get());
}

void PrimaryRecordPage::readCompressionInfo() {
    if (!(header_.typeFlagBits & header::kHasCompressionInfo)) return;
    Bytes page = bytes();
    compressionFlags = readU8(page, 96);
    modificationCount = readU16(page, 97);
    dictionaryOffset = readU16(page, 99);
    compressionSize = readU16(page, 101);
    if (compressionSize == 0) return;
    hasCompressionInfo = true;
    hasAnchor = (compressionFlags & 0x02) != 0;
    hasDictionary = (compressionFlags & 0x04) != 0;
    RecordParseOptions parse = options_.parseOptions();
    auto boundedSize = [&](size_t at) {
        return uint16_t(std::min<size_t>(compressionSize, kPageSize - at));
    };
    if (hasAnchor && hasDictionary) {
        anchorRecord = std::make_unique<CPrimaryRecord>(page, 103, boundedSize(103), this, parse, true);
        size_t dictionaryStart = 96 + size_t(dictionaryOffset);
        if (!anchorRecord->invalid && dictionaryOffset != 0 && dictionaryOffset < compressionSize &&
            compressionSize < 4096 && dictionaryStart < 4096) {
            uint16_t entryCount = readU16(page, dictionaryStart);
            std::vector<uint16_t> ends;
            for (uint16_t k = 0; k < entryCount; ++k) {
                uint16_t end = readU16(page, dictionaryStart + 2 + 2 * size_t(k));
                if (end > 4096) break;
                ends.push_back(end);
            }
            size_t runningTotal = 2 * size_t(entryCount) + 2;
            for (uint16_t end : ends) {
                if (end <= runningTotal) {
                    dictionaryEntries.push_back({});
                    continue;
                }
                size_t length = end - runningTotal;
                size_t dataAt = dictionaryStart + runningTotal;
                ValueBytes entry;
                if (length < compressionSize && dataAt < 4096) {
                    Bytes value = sliceClamped(page, dataAt, length);
                    entry.bytes.assign(value.begin(), value.end());
                    entry.length = int32_t(value.size());
                }
                dictionaryEntries.push_back(std::move(entry));
                runningTotal += length;
            }
        }
    } else if (hasAnchor && !options_.legacyCatalog) {
        anchorRecord = std::make_unique<CPrimaryRecord>(page, 101, boundedSize(101), this, parse, true);
    }
    if (anchorRecord && !anchorRecord->invalid && !options_.legacyCatalog && options_.layout)
        buildAnchorValues(*this, *anchorRecord, *options_.layout);
}

void PrimaryRecordPage::buildRecords(std::optional<int16_t> onlySlot) {
    if (!hasSlotArray_ || !header_.passesSanityTest()) return;
    bool allNull = (header_.pageType == kIndexPage && header_.level != 0) ||
                   (header_.ghostRecordCount >= uint16_t(header_.slotCount) && !options_.showDeleted);
    records.resize(slotArray_.size());
    if (allNull) return;
    RecordParseOptions parse = options_.parseOptions();
    for (size_t slot = 0; slot < slotArray_.size(); ++slot) {
        if (onlySlot && int32_t(slot) != *onlySlot) continue;
        uint16_t offset = slotArray_[slot];
        if (offset <= 95 || offset > kPageSize) continue;
        auto record = std::make_unique<CPrimaryRecord>(bytes(), offset, uint16_t(kPageSize - offset), this, parse);
        if (record->compressed && !record->invalid && !options_.legacyCatalog && options_.layout)
            expandRecord(*record, *this, *options_.layout);
        records[slot] = std::move(record);
    }
}

void PrimaryRecordPage::scanPageBody() {
    if (!hasSlotArray_ || header_.slotCount > 8192 || !header_.passesSanityTest()) return;
    RecordParseOptions parse = options_.parseOptions();
    knownOffsets_.assign(slotArray_.begin(), slotArray_.end());
    const size_t originalCount = size_t(header_.slotCount);
    Bytes page = bytes();
    auto isSignature = [&](size_t at) {
        uint32_t value = readU32(page, at);
        return fits(page, at, 4) && (value == 0x00840030u || value == 0x0084003Cu);
    };
    size_t position = kFirstRecordOffset;
    size_t lastMatch = 0;
    // Each turn either moves forward by a record length (> 0) or searches
    // byte by byte, so the scan ends within one pass over the page.
    while (position < 8190 && !options_.stop()) {
        int32_t length = CPrimaryRecord::measure(page, position, parse);
        if (length > 0) {
            size_t next = position + size_t(length);
            bool known = std::find(knownOffsets_.begin(), knownOffsets_.begin() + long(originalCount),
                                   uint16_t(position)) != knownOffsets_.begin() + long(originalCount);
            if (!known) knownOffsets_.push_back(uint16_t(position));
            position = next;
            if (next >= kPageSize || isSignature(next)) continue;
        }
        if (position == lastMatch) ++position;
        bool found = false;
        while (position < 8190 && !options_.stop()) {
            if (isSignature(position)) {
                lastMatch = position;
                found = true;
                break;
            }
            ++position;
        }
        if (!found) break;
    }
    if (knownOffsets_.size() >= originalCount) {
        slotArray_.assign(knownOffsets_.begin(), knownOffsets_.end());
        header_.slotCount = int16_t(std::min<size_t>(slotArray_.size(), 8192));
        hasSlotArray_ = !slotArray_.empty();
    }
    knownOffsets_.clear();
}

}  // namespace pw
