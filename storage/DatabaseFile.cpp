#include "storage/DatabaseFile.h"

#include <algorithm>

#include "app/RunContext.h"
#include "storage/BootPage.h"
#include "storage/IamPage.h"
#include "storage/RecordPage.h"
#include "storage/TextMixPage.h"

namespace pw {
namespace {

constexpr size_t kChunkPages = 256;  // pages per sequential read of a whole-file pass
constexpr int32_t kLastSystemObjectId = 100;

uint64_t progressStep(uint64_t count) { return std::max<uint64_t>(1, (count + 99) / 100); }

uint32_t low32(uint64_t value) { return uint32_t(value & 0xFFFFFFFFu); }

// Walks whole pages [first, pageCount) of `file` starting at byte
// origin + first * 8192, handing each page's bytes to `visit` (which returns
// false to end the walk). Reads in chunks; a short read zero-fills.
template <typename Visit>
void walkPages(const FileHandle& file, uint64_t origin, uint64_t first, uint64_t pageCount,
               std::vector<uint8_t>& chunk, Visit visit) {
    if (first >= pageCount) return;
    chunk.resize(size_t(std::min<uint64_t>(kChunkPages, pageCount - first)) * kPageSize);
    for (uint64_t index = first; index < pageCount;) {
        uint64_t pagesInChunk = std::min<uint64_t>(kChunkPages, pageCount - index);
        size_t wanted = size_t(pagesInChunk * kPageSize);
        size_t got = file.readAt(origin + index * kPageSize, chunk.data(), wanted);
        if (got < wanted) std::fill(chunk.begin() + got, chunk.begin() + wanted, 0);
        for (uint64_t k = 0; k < pagesInChunk; ++k, ++index) {
            Bytes page(chunk.data() + k * kPageSize, kPageSize);
            if (!visit(index, page)) return;
        }
    }
}

}  // namespace

DatabaseFile::DatabaseFile(std::string filePath, bool advancedMode, RunContext& context)
    : path(std::move(filePath)), context_(context), advancedMode_(advancedMode) {
    MessageSink& sink = context_.messages();
    isOpen_ = true;
    file_ = std::make_unique<FileHandle>(path);
    if (!file_->isOpen()) {
        isOpen_ = false;
        sink.recoveryError(openText::kCannotOpen);
        return;
    }
    fileSize = file_->size();
    if (fileSize < kPageSize) {
        isOpen_ = false;
        sink.recoveryError(openText::kNotValid);
        return;
    }
    pageCount = (fileSize - fileSize % kPageSize) / kPageSize;
    pageOrigin = fileSize % kPageSize;
    extentCount = pageCount / kPagesPerExtent;

    // A match in the first pass keeps the origin it was read at (stray bytes
    // at the start of the file); only a match in the second pass means the
    // pages start at byte 0 (stray bytes at the end).
    if (probePageOrigin(*file_, pageCount, pageOrigin, context_) == ProbeResult::MatchAtZero)
        pageOrigin = 0;

    if (!mapPages()) {
        isOpen_ = false;
        sink.recoveryError(openText::kNotValid);
    }
    if (context_.stopRequested.load()) context_.stopRequested.store(false);
}

DatabaseFile::~DatabaseFile() = default;

ProbeResult DatabaseFile::probePageOrigin(const FileHandle& file, uint64_t count, uint64_t origin,
                                          RunContext& context) {
    MessageSink& sink = context.messages();
    uint64_t start = count > 8 ? 8 : count / 4;
    sink.setStatusText(openText::kChecking);
    sink.setProgressRange(0, low32(count));
    sink.setProgressPos(0);
    uint64_t step = progressStep(count);
    std::vector<uint8_t> chunk;
    ProbeResult result = ProbeResult::NoMatch;

    walkPages(file, origin, start, count, chunk, [&](uint64_t index, Bytes page) {
        if (context.stop()) return false;
        if (readI32(page, header::kThisPage) == int32_t(index)) {
            result = ProbeResult::MatchAtOrigin;
            return false;
        }
        if (index % step == 0) sink.setProgressPos(low32(index));
        return true;
    });
    if (result == ProbeResult::NoMatch && origin != 0 && count > 8 && !context.stop()) {
        walkPages(file, 0, 8, count, chunk, [&](uint64_t index, Bytes page) {
            // Stop is honoured here too: a damaged file can make this pass long.
            if (context.stop()) return false;
            if (readI32(page, header::kThisPage) == int32_t(index)) {
                result = ProbeResult::MatchAtZero;
                return false;
            }
            if (index % step == 0) sink.setProgressPos(low32(index));
            return true;
        });
    }
    sink.setProgressPos(low32(count));
    sink.setStatusText(openText::kCheckingDone);
    return result;
}

bool DatabaseFile::mapPages() {
    MessageSink& sink = context_.messages();
    systemPageMap.clear();
    dataPageMap.clear();
    iamPageMap.clear();
    pageTypeCounts.clear();
    uint64_t systemPages = 0;
    sink.setProgressRange(0, low32(pageCount));
    sink.setProgressPos(0);
    sink.setStatusText(openText::kMapping);
    uint64_t step = progressStep(pageCount);
    std::vector<uint8_t> chunk;

    // Pages of one object usually follow each other: remember the list the
    // last page went to instead of looking the map up for every page.
    struct ListCache {
        PageMap& map;
        int32_t objectId = 0;
        std::vector<PageEntry>* list = nullptr;
        void append(int32_t id, const PageEntry& entry) {
            if (!list || id != objectId) {
                list = &map[id];
                objectId = id;
            }
            list->push_back(entry);
        }
    } systemLists{systemPageMap}, dataLists{dataPageMap}, iamLists{iamPageMap};
    uint64_t typeCounts[256] = {};
    uint64_t nextProgress = step;

    walkPages(*file_, pageOrigin, 0, pageCount, chunk, [&](uint64_t index, Bytes page) {
        if (context_.stop()) return false;
        int32_t objectId = readI32(page, header::kObjectId);
        uint8_t pageType = readU8(page, header::kPageType);
        PageEntry entry;
        entry.fileNumber = int16_t(readU16(page, header::kThisFile));
        entry.pageNumber = int32_t(index);
        entry.pageType = pageType;
        entry.indexId = readU16(page, header::kIndexId);
        ++typeCounts[pageType];
        if (objectId <= kLastSystemObjectId && entry.indexId < kFirstUserIndexId) {
            systemLists.append(objectId, entry);
            ++systemPages;
        }
        if (objectId > 0 && pageType == kDataPage) dataLists.append(objectId, entry);
        if (objectId > 0 && pageType == kIamPage) iamLists.append(objectId, entry);
        if (index + 1 == nextProgress) {
            sink.setProgressPos(low32(index + 1));
            nextProgress += step;
        }
        return true;
    });
    for (int type = 0; type < 256; ++type)
        if (typeCounts[type]) pageTypeCounts[type] = typeCounts[type];
    sink.setProgressPos(low32(pageCount));
    sink.setStatusText(openText::kMappingDone);
    return systemPages > 0;
}

uint64_t DatabaseFile::pageCountOf(int16_t fileNumber) const {
    if (fileNumber <= 1) return pageCount;
    auto it = secondaryFiles.find(fileNumber);
    return it == secondaryFiles.end() ? 0 : it->second.pageCount;
}

std::optional<PageBytes> DatabaseFile::readPage(PagePointer page, bool allowPageZero) const {
    const FileHandle* handle = nullptr;
    uint64_t count = 0, origin = 0, size = 0;
    if (page.fileNumber == 1) {
        handle = file_.get();
        count = pageCount;
        origin = pageOrigin;
        size = fileSize;
    } else if (page.fileNumber > 1) {
        auto it = secondaryFiles.find(page.fileNumber);
        if (it == secondaryFiles.end() || it->second.path.empty() || !it->second.handle) return std::nullopt;
        handle = it->second.handle.get();
        count = it->second.pageCount;
        origin = uint64_t(std::max<int32_t>(0, it->second.pageOrigin));
        size = it->second.size;
    } else {
        return std::nullopt;
    }
    if (!handle || !handle->isOpen()) return std::nullopt;
    if (page.pageNumber < 0 || (page.pageNumber == 0 && !allowPageZero)) return std::nullopt;
    uint64_t number = uint64_t(page.pageNumber);
    if (number > count) return std::nullopt;
    uint64_t offset = number * kPageSize + origin;
    if (offset > size) return std::nullopt;
    PageBytes bytes(kPageSize, 0);
    handle->readAt(offset, bytes.data(), kPageSize);
    return bytes;
}

std::optional<CPage_Header> DatabaseFile::readHeader(PagePointer page) const {
    auto bytes = readPage(page);
    if (!bytes) return std::nullopt;
    return CPage_Header::parseOnly(Bytes(bytes->data(), bytes->size()));
}

std::optional<std::pair<CPage_Header, PageBytes>> DatabaseFile::readHeaderKeep(PagePointer page) const {
    auto bytes = readPage(page);
    if (!bytes) return std::nullopt;
    CPage_Header header(std::span<uint8_t>(bytes->data(), bytes->size()));
    return std::make_pair(std::move(header), std::move(*bytes));
}

std::unique_ptr<CDataPage> DatabaseFile::readDataPage(PagePointer page,
                                                      const std::vector<ColumnDescriptor>* layout) const {
    auto bytes = readPage(page);
    if (!bytes) return nullptr;
    return std::make_unique<CDataPage>(std::move(*bytes), this, RecordPageOptions::from(context_, layout));
}

std::unique_ptr<CDataPage> DatabaseFile::readCatalogDataPage(PagePointer page) const {
    auto bytes = readPage(page, true);
    if (!bytes) return nullptr;
    return std::make_unique<CDataPage>(std::move(*bytes), this, RecordPageOptions::from(context_));
}

std::unique_ptr<TextMixPage> DatabaseFile::readTextMixPage(PagePointer page) const {
    auto first = readPage(page);
    if (!first) return nullptr;
    int32_t own = readI32(Bytes(first->data(), first->size()), header::kThisPage);
    if (own != page.pageNumber && own != 0) {
        // A zeroed header says nothing about a shift; read the page as it is.
        // The file seems shifted by own - p pages around here: read 2p - own.
        int64_t moved = 2 * int64_t(page.pageNumber) - int64_t(own);
        if (moved <= 0 || moved > INT32_MAX) return nullptr;
        first = readPage(PagePointer{page.fileNumber, int32_t(moved)});
        if (!first) return nullptr;
    }
    return std::make_unique<TextMixPage>(std::move(*first), this, context_.stopRequested);
}

std::unique_ptr<IamPage> DatabaseFile::readIamPage(PagePointer page) const {
    auto bytes = readPage(page);
    if (!bytes) return nullptr;
    return std::make_unique<IamPage>(std::move(*bytes), this, RecordPageOptions::from(context_));
}

void DatabaseFile::loadDatabaseName() {
    databaseName.clear();
    bootPage.reset();
    const PageEntry* first = nullptr;
    auto units = systemPageMap.find(7);
    if (units != systemPageMap.end() && !units->second.empty()) first = &units->second.front();
    if (!first) {
        auto columns = systemPageMap.find(41);
        if (columns != systemPageMap.end() && !columns->second.empty()) first = &columns->second.front();
    }
    int64_t shift = 0;
    if (first) {
        auto header = readHeader(PagePointer{1, first->pageNumber});
        if (header) shift = int64_t(header->thisPage.pageNumber) - int64_t(first->pageNumber);
    }
    int64_t bootPosition = 9 - shift;
    if (bootPosition <= 0 || uint64_t(bootPosition) >= pageCount) return;
    PageBytes bytes(kPageSize, 0);
    file_->readAt(uint64_t(bootPosition) * kPageSize + pageOrigin, bytes.data(), kPageSize);
    CBootPage boot(Bytes(bytes.data(), bytes.size()));
    boot.applyTo(context_);
    databaseName = boot.databaseName;
    bootPage = boot;
}

bool DatabaseFile::registerSecondaryFile(int16_t fileNumber, SecondaryFileEntry entry) {
    if (!entry.handle) entry.handle = std::make_shared<FileHandle>(entry.path);
    if (!entry.handle->isOpen()) return false;
    secondaryFiles[fileNumber] = std::move(entry);
    return true;
}

}  // namespace pw
