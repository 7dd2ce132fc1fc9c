#pragma once
// Large-value pages and their records. A large-value record is:
//   0 status A · 1 status B · 2 end offset e of the data (i16; data length
//   d = e - 4) · 4 data: blob id (8), structure type (u16), then the structure.

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "storage/RecordPage.h"

namespace pw {

class TextRecord : public CRecord {
public:
    // Parses the record at `offset` of `page` with at most `maximum` bytes.
    TextRecord(Bytes page, size_t offset, size_t maximum);

    bool versioning = false;
    bool statusB = false;
    uint32_t blobIdLow = 0;
    uint32_t blobIdHigh = 0;
    // 8 when the data is shorter than the 10-byte common header.
    uint32_t structureType = 8;
    // The value length: d - 10 when d >= 10, else d.
    int32_t valueLength = 0;

    // The record's data (from the blob id on); empty when the record has none.
    Bytes data() const { return fixedView(); }
};

class TextMixPage : public RecordPage {
public:
    TextMixPage(PageBytes buffer, const DatabaseFile* file, const std::atomic<bool>& stopRequested);

    TextRecord* textRecord(size_t slot) const;
    // Releases the record of `slot` once its part of a value has been read.
    void releaseRecord(size_t slot);
};

}  // namespace pw
