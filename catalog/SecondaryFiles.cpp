#include "catalog/SecondaryFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>

#include "app/RunContext.h"
#include "storage/ByteReader.h"
#include "storage/FileHandle.h"
#include "storage/PageHeader.h"

namespace pw {
namespace {

constexpr size_t kChunkPages = 128;            // pages per sequential read
constexpr int32_t kLastSystemPageObjectId = 100;

uint64_t progressStep(uint64_t count) { return std::max<uint64_t>(1, (count + 99) / 100); }
uint32_t low32(uint64_t value) { return uint32_t(value & 0xFFFFFFFFu); }

struct FileGeometry {
    uint64_t size = 0;
    uint64_t origin = 0;
    uint64_t pageCount = 0;
};

FileGeometry geometryOf(const FileHandle& handle) {
    FileGeometry geometry;
    geometry.size = handle.size();
    geometry.origin = geometry.size % kPageSize;
    geometry.pageCount = (geometry.size - geometry.origin) / kPageSize;
    return geometry;
}

// Reads every whole page of `handle` from `origin` and enters it in the page
// maps of `file`, as the primary file's mapping pass does: pages of object
// ids up to 100 in system units (index id below 256) in the system map,
// data pages and IAM pages of positive object ids in theirs. The entries
// carry `fileNumber` when it is given, else the number in each page's
// header. Returns the header file number of the first data page whose
// header number is above 1 (0 when there is none).
int16_t scanSecondaryPages(DatabaseFile& file, const FileHandle& handle, const FileGeometry& geometry,
                           std::optional<int16_t> fileNumber) {
    RunContext& context = file.context();
    MessageSink& sink = context.messages();
    sink.setProgressRange(0, low32(geometry.pageCount));
    sink.setProgressPos(0);
    uint64_t step = progressStep(geometry.pageCount);
    int16_t firstDataFileNumber = 0;
    std::vector<uint8_t> chunk(size_t(std::min<uint64_t>(kChunkPages, geometry.pageCount)) * kPageSize);
    for (uint64_t index = 0; index < geometry.pageCount;) {
        uint64_t pagesInChunk = std::min<uint64_t>(kChunkPages, geometry.pageCount - index);
        size_t wanted = size_t(pagesInChunk * kPageSize);
        size_t got = handle.readAt(geometry.origin + index * kPageSize, chunk.data(), wanted);
        if (got < wanted) std::fill(chunk.begin() + got, chunk.begin() + wanted, 0);
        for (uint64_t k = 0; k < pagesInChunk; ++k, ++index) {
            if (context.stop()) return firstDataFileNumber;
            Bytes page(chunk.data() + k * kPageSize, kPageSize);
            int32_t objectId = readI32(page, header::kObjectId);
            int32_t pageType = readU8(page, header::kPageType);
            int16_t headerFile = int16_t(readU16(page, header::kThisFile));
            PageEntry entry;
            entry.fileNumber = fileNumber ? *fileNumber : headerFile;
            entry.pageNumber = int32_t(index);
            entry.pageType = pageType;
            entry.indexId = readU16(page, header::kIndexId);
            if (objectId <= kLastSystemPageObjectId && entry.indexId < kFirstUserIndexId)
                file.systemPageMap[objectId].push_back(entry);
            if (objectId > 0 && pageType == kDataPage) {
                file.dataPageMap[objectId].push_back(entry);
                if (firstDataFileNumber == 0 && headerFile > 1) firstDataFileNumber = headerFile;
            }
            if (objectId > 0 && pageType == kIamPage) file.iamPageMap[objectId].push_back(entry);
            if ((index + 1) % step == 0) sink.setProgressPos(low32(index + 1));
        }
    }
    sink.setProgressPos(low32(geometry.pageCount));
    return firstDataFileNumber;
}

SecondaryFileEntry entryFor(const DataFileRow& row, std::shared_ptr<FileHandle> handle) {
    SecondaryFileEntry entry;
    entry.path = row.physicalName;
    entry.size = row.size;
    entry.pageCount = row.pageCount;
    entry.pageOrigin = row.pageOrigin;
    entry.handle = std::move(handle);
    return entry;
}

void scanListedFiles(DatabaseFile& file, std::vector<DataFileRow>& dataFiles) {
    // A damaged table may name one file under several ids: it is scanned
    // once, or its pages would stand twice in the maps.
    std::set<std::string> scanned;
    for (DataFileRow& row : dataFiles) {
        if (row.fileId <= 1) continue;
        if (!scanned.insert(row.physicalName).second) continue;
        auto handle = std::make_shared<FileHandle>(row.physicalName);
        if (!handle->isOpen()) continue;  // a log file listed as .ndf, a file moved away: skipped
        FileGeometry geometry = geometryOf(*handle);
        row.size = geometry.size;
        row.pageCount = geometry.pageCount;
        row.pageOrigin = int32_t(geometry.origin);
        int16_t fileNumber = int16_t(row.fileId);
        file.registerSecondaryFile(fileNumber, entryFor(row, handle));
        scanSecondaryPages(file, *handle, geometry, fileNumber);
    }
}

bool hasNdfExtension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension == ".ndf";
}

void searchDirectory(DatabaseFile& file, const std::string& directory, std::vector<DataFileRow>& dataFiles) {
    dataFiles.clear();
    std::vector<std::filesystem::path> matches;
    std::error_code error;
    std::filesystem::path folder = directory.empty() ? std::filesystem::path(".") : std::filesystem::path(directory);
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) continue;
        if (hasNdfExtension(it->path())) matches.push_back(it->path());
    }
    std::sort(matches.begin(), matches.end());
    for (const auto& match : matches) {
        DataFileRow row;
        row.physicalName = directory.empty() ? match.filename().string() : directory + match.filename().string();
        auto handle = std::make_shared<FileHandle>(row.physicalName);
        if (!handle->isOpen()) continue;
        FileGeometry geometry = geometryOf(*handle);
        // A match at the file's own origin keeps it (stray bytes at the start);
        // only a match at byte 0 moves the pages there (stray bytes at the end).
        ProbeResult probe =
            DatabaseFile::probePageOrigin(*handle, geometry.pageCount, geometry.origin, file.context());
        if (probe == ProbeResult::MatchAtZero) geometry.origin = 0;
        int16_t fileNumber = scanSecondaryPages(file, *handle, geometry, std::nullopt);
        if (fileNumber <= 1) continue;  // its pages stay mapped, but no read can reach them
        row.fileId = fileNumber;
        row.size = geometry.size;
        row.pageCount = geometry.pageCount;
        row.pageOrigin = int32_t(geometry.origin);
        file.registerSecondaryFile(fileNumber, entryFor(row, handle));
        dataFiles.push_back(std::move(row));
    }
}

}  // namespace

std::string directoryOfPath(const std::string& path) {
    std::string single;
    single.reserve(path.size());
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\' && i + 1 < path.size() && path[i + 1] == '\\') continue;
        single.push_back(path[i]);
    }
    size_t last = single.find_last_of("\\/");
    return last == std::string::npos ? std::string() : single.substr(0, last + 1);
}

std::string baseNameOfPhysicalName(const std::string& physicalName) {
    size_t last = physicalName.find_last_of("\\/");
    std::string name = last == std::string::npos ? physicalName : physicalName.substr(last + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

void resolveSecondaryFiles(DatabaseFile& file, std::vector<DataFileRow>& dataFiles) {
    std::string directory = directoryOfPath(file.path);
    if (dataFiles.empty()) {
        searchDirectory(file, directory, dataFiles);
        return;
    }
    for (DataFileRow& row : dataFiles)
        if (row.fileId > 1) row.physicalName = directory + baseNameOfPhysicalName(row.physicalName) + ".ndf";
    scanListedFiles(file, dataFiles);
}

}  // namespace pw
