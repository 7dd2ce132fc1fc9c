#pragma once
// The primary data file of a database (and its registered secondary files):
// page geometry, the page-origin probe, the mapping pass that attributes
// every page to the object id in its header, and every page read.
//
// Page p of the primary file lies at byte p * 8192 + pageOrigin. The file is
// opened read-only and nothing is ever written to it.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "storage/BootPage.h"
#include "storage/FileHandle.h"
#include "storage/PageEntry.h"
#include "storage/PageGeometry.h"
#include "storage/PageHeader.h"

namespace pw {

struct RunContext;
struct ColumnDescriptor;
class CDataPage;
class TextMixPage;
class IamPage;
class Database;

// Messages of the open passes, exactly as the user sees them.
namespace openText {
constexpr const char* kCannotOpen = "File cannot be open...........";
constexpr const char* kNotValid =
    "Wheteher File is not valid mdf file or file is highly corrupted...........";
constexpr const char* kChecking = "Checking for file corruption ...........";
constexpr const char* kCheckingDone = "Checking for file corruption is done...........";
constexpr const char* kMapping = "Mapping Database Objects...........";
constexpr const char* kMappingDone = "Mapping of Database Objects has been done ......................";
}  // namespace openText

struct SecondaryFileEntry {
    std::string path;
    uint64_t size = 0;
    uint64_t pageCount = 0;
    int32_t pageOrigin = 0;
    std::shared_ptr<FileHandle> handle;  // opened once per run
};

// Where the probe found a page carrying its own page number.
enum class ProbeResult { NoMatch, MatchAtOrigin, MatchAtZero };

class DatabaseFile {
public:
    // Opens the file and runs the probe and the mapping pass, reporting
    // through the context's sink; check isOpen() afterwards.
    DatabaseFile(std::string path, bool advancedMode, RunContext& context);
    ~DatabaseFile();
    DatabaseFile(const DatabaseFile&) = delete;
    DatabaseFile& operator=(const DatabaseFile&) = delete;

    bool isOpen() const { return isOpen_; }
    RunContext& context() const { return context_; }
    bool advancedMode() const { return advancedMode_; }

    uint64_t fileSize = 0;
    uint64_t pageCount = 0;
    uint64_t pageOrigin = 0;
    uint64_t extentCount = 0;
    std::string path;
    std::string databaseName;
    // The boot page read by loadDatabaseName, when it lay inside the file.
    std::optional<CBootPage> bootPage;
    // Pages whose header object id is <= 100 and index id < 256, any type.
    PageMap systemPageMap;
    // Pages of type 1 (data) with object id > 0.
    PageMap dataPageMap;
    // Pages of type 10 (IAM) with object id > 0.
    PageMap iamPageMap;
    // Counts of every page met by the mapping pass, by page type.
    std::map<int32_t, uint64_t> pageTypeCounts;
    std::map<int16_t, SecondaryFileEntry> secondaryFiles;

    // The page's 8192 bytes, or nothing for a bad address or unreadable file.
    // Page 0 is refused unless `allowPageZero`.
    std::optional<PageBytes> readPage(PagePointer page, bool allowPageZero = false) const;
    std::optional<CPage_Header> readHeader(PagePointer page) const;
    // Header and bytes together (the bytes torn-page repaired).
    std::optional<std::pair<CPage_Header, PageBytes>> readHeaderKeep(PagePointer page) const;
    // Data page with its records; `layout` is the selected table's columns
    // used to expand compressed records (may be null).
    std::unique_ptr<CDataPage> readDataPage(PagePointer page,
                                            const std::vector<ColumnDescriptor>* layout = nullptr) const;
    // As readDataPage, also accepting page 0 (the catalog readers).
    std::unique_ptr<CDataPage> readCatalogDataPage(PagePointer page) const;
    // Large-value page, after the shift correction: when page p's header
    // says h, page 2p - h is read instead.
    std::unique_ptr<TextMixPage> readTextMixPage(PagePointer page) const;
    std::unique_ptr<IamPage> readIamPage(PagePointer page) const;

    // Finds the boot page (page 9, moved by the shift measured on the first
    // page of object 7, else 41) and reads the name, version and collation.
    void loadDatabaseName();

    // Opens `entry.path` and registers it under `fileNumber`; false when it
    // cannot be opened.
    bool registerSecondaryFile(int16_t fileNumber, SecondaryFileEntry entry);

    // Page count of file `fileNumber` (0 and 1: the primary file).
    uint64_t pageCountOf(int16_t fileNumber) const;

    // The probe over any open file: pass A at `origin`, pass B at 0.
    static ProbeResult probePageOrigin(const FileHandle& file, uint64_t pageCount, uint64_t origin,
                                       RunContext& context);

private:
    bool mapPages();

    RunContext& context_;
    bool advancedMode_ = false;
    bool isOpen_ = false;
    std::unique_ptr<FileHandle> file_;
};

}  // namespace pw
