#include "values/LargeValueReader.h"

#include <algorithm>

#include "app/RunContext.h"
#include "storage/DatabaseFile.h"
#include "storage/PageGeometry.h"
#include "storage/TextMixPage.h"
#include "values/Internal.h"
#include "values/LargeRootYukon.h"
#include "values/LobSData.h"
#include "values/SmallRoot.h"

namespace pw {
namespace {

constexpr size_t kCachedPages = 8;
constexpr size_t kInRowRootHeader = 12;
constexpr size_t kInRowLinkSize = 12;
constexpr int16_t kHighestFileNumber = 1000;
// The sizes a root announces are trusted for reserving memory only this far.
constexpr uint64_t kMaximumReserve = uint64_t(16) << 20;

void reserveFor(uint64_t announced, LargeValue& value) {
    uint64_t wanted = value.bytes.size() + std::min(announced, kMaximumReserve);
    if (wanted > value.bytes.capacity()) value.bytes.reserve(size_t(wanted));
}  // a larger file number in a root is damage: file 1 is meant

uint64_t recordKey(const RowId& rowId) {
    return (uint64_t(uint16_t(rowId.page.fileNumber)) << 48) | (uint64_t(uint32_t(rowId.page.pageNumber)) << 16) |
           uint64_t(uint16_t(rowId.slot));
}

}  // namespace

struct LargeValueReader::Walk {
    std::unordered_set<uint64_t> visited;
    // The distinct pages the value was read from. A value never holds more
    // bytes than its pages do: records that overlap on a damaged page cannot
    // blow one page up into megabytes.
    std::unordered_set<uint64_t> pages;
    int depth = 0;
    size_t budget() const { return std::min(kMaximumLargeValueBytes, pages.size() * kPageSize); }
};

LargeValueReader::LargeValueReader(const DatabaseFile* file, const RunContext& context)
    : file_(file), context_(context) {}

LargeValueReader::~LargeValueReader() = default;

std::shared_ptr<TextMixPage> LargeValueReader::page(PagePointer pointer) {
    for (size_t i = 0; i < cache_.size(); ++i) {
        if (cache_[i].first == pointer) {
            auto found = cache_[i].second;
            if (i != 0) std::rotate(cache_.begin(), cache_.begin() + long(i), cache_.begin() + long(i) + 1);
            return found;
        }
    }
    if (!file_) return nullptr;
    std::shared_ptr<TextMixPage> read(file_->readTextMixPage(pointer).release());
    ++pagesRead_;
    if (!read) return nullptr;
    if (cache_.size() >= kCachedPages) cache_.pop_back();
    cache_.insert(cache_.begin(), {pointer, read});
    return read;
}

void LargeValueReader::appendBytes(Bytes bytes, size_t budget, LargeValue& value) {
    size_t room = budget - std::min(value.bytes.size(), budget);
    Bytes part = bytes.first(std::min(bytes.size(), room));
    value.bytes.insert(value.bytes.end(), part.begin(), part.end());
}

void LargeValueReader::appendRecord(const RowId& rowId, Walk& walk, LargeValue& value, bool& found) {
    if (context_.stop() || walk.depth >= kMaximumLobDepth) return;
    if (rowId.page.pageNumber <= 0 || rowId.slot < 0) return;
    if (!walk.visited.insert(recordKey(rowId)).second) return;  // a link back into this value
    std::shared_ptr<TextMixPage> textPage = page(rowId.page);
    if (!textPage) return;
    if (rowId.slot >= textPage->header().slotCount) return;
    TextRecord* record = textPage->textRecord(size_t(rowId.slot));
    if (!record) return;
    found = true;
    walk.pages.insert(recordKey(RowId{rowId.page, 0}));
    ++walk.depth;
    appendStructure(record->data(), walk, value);
    --walk.depth;
}

void LargeValueReader::appendStructure(Bytes data, Walk& walk, LargeValue& value) {
    if (data.size() < kLobHeaderSize || value.bytes.size() >= walk.budget()) return;
    bool found = false;
    switch (LobStructureType(readU16(data, 8))) {
        case LobStructureType::SmallRoot: {
            SmallRoot root(file_, data);
            appendBytes(root.value(), walk.budget(), value);
            break;
        }
        case LobStructureType::Data: {
            LobSData piece(file_, data);
            appendBytes(piece.value(), walk.budget(), value);
            break;
        }
        case LobStructureType::Internal: {
            Internal node(file_, data);
            for (const InternalLink& link : node.links) {
                if (context_.stop()) break;
                appendRecord(link.rowId, walk, value, found);
            }
            break;
        }
        case LobStructureType::LargeRootShiloh:
        case LobStructureType::LargeRootYukon:
        case LobStructureType::SuperLargeRoot: {
            LargeRootYukon root(file_, data);
            uint64_t announced = 0;
            for (const LargeRootLink& link : root.links) announced += link.size;
            reserveFor(announced, value);
            for (const LargeRootLink& link : root.links) {
                if (context_.stop()) break;
                appendRecord(link.rowId, walk, value, found);
            }
            break;
        }
        default:
            break;  // no value in this structure
    }
}

void LargeValueReader::assembleLargeValue(Bytes recordData, LargeValue& value) {
    Walk walk;
    walk.pages.insert(~uint64_t(0));  // the page the given record lies on
    appendStructure(recordData, walk, value);
}

LargeValue LargeValueReader::readTextPointerValue(const TextPointerReader& pointer) {
    LargeValue value;
    if (!pointer.valid()) return value;
    Walk walk;
    appendRecord(pointer.rowId(), walk, value, value.found);
    return value;
}

LargeValue LargeValueReader::readInRowRootValue(Bytes root) {
    LargeValue value;
    Walk walk;
    uint64_t announced = 0;
    for (size_t at = kInRowRootHeader; fits(root, at, kInRowLinkSize); at += kInRowLinkSize)
        announced += uint64_t(std::max(readI32(root, at), 0));
    reserveFor(announced, value);
    for (size_t at = kInRowRootHeader; fits(root, at, kInRowLinkSize); at += kInRowLinkSize) {
        if (context_.stop()) break;
        int32_t size = readI32(root, at);
        if (size <= 0) continue;
        RowId rowId = RowId::parse(root, at + 4);
        if (rowId.page.fileNumber > kHighestFileNumber) rowId.page.fileNumber = 1;
        appendRecord(rowId, walk, value, value.found);
    }
    return value;
}

}  // namespace pw
