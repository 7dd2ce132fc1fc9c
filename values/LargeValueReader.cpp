#include "values/LargeValueReader.h"

#include <algorithm>

#include "app/RunContext.h"
#include "storage/DatabaseFile.h"
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
constexpr int16_t kHighestFileNumber = 1000;  // a larger file number in a root is damage: file 1 is meant

uint64_t recordKey(const RowId& rowId) {
    return (uint64_t(uint16_t(rowId.page.fileNumber)) << 48) | (uint64_t(uint32_t(rowId.page.pageNumber)) << 16) |
           uint64_t(uint16_t(rowId.slot));
}

}  // namespace

struct LargeValueReader::Walk {
    std::unordered_set<uint64_t> visited;
    int depth = 0;
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

void LargeValueReader::appendBytes(Bytes bytes, LargeValue& value) {
    size_t room = kMaximumLargeValueBytes - std::min(value.bytes.size(), kMaximumLargeValueBytes);
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
    ++walk.depth;
    appendStructure(record->data(), walk, value);
    --walk.depth;
}

void LargeValueReader::appendStructure(Bytes data, Walk& walk, LargeValue& value) {
    if (data.size() < kLobHeaderSize || value.bytes.size() >= kMaximumLargeValueBytes) return;
    bool found = false;
    switch (LobStructureType(readU16(data, 8))) {
        case LobStructureType::SmallRoot: {
            SmallRoot root(file_, data);
            appendBytes(root.value(), value);
            break;
        }
        case LobStructureType::Data: {
            LobSData piece(file_, data);
            appendBytes(piece.value(), value);
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
