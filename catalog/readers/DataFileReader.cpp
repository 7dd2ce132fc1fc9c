// sysfiles1 (object id 8): one row per data or log file of the database.
//   0 status (i32) · 4 fileid (i16) · 6 name, 128 UTF-16 units ·
//   262 filename, 260 UTF-16 units. Both names are blank-padded.

#include "app/Utf16.h"
#include "catalog/readers/CatalogRecords.h"
#include "catalog/readers/SystemTableReaders.h"

namespace pw::catalog {
namespace {

constexpr size_t kMinimumLength = 520;
constexpr size_t kStatus = 0;
constexpr size_t kFileId = 4;
constexpr size_t kLogicalName = 6;
constexpr size_t kLogicalNameBytes = 256;
constexpr size_t kPhysicalName = 262;
constexpr size_t kPhysicalNameBytes = 520;

// The text up to the first zero character, without trailing white space.
std::string paddedName(Bytes fixed, size_t offset, size_t width) {
    std::string text = utf16leToUtf8UntilNul(sliceClamped(fixed, offset, width));
    size_t end = text.find_last_not_of(" \t\r\n");
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

}  // namespace

void readDataFileRows(CDataPage& page, std::vector<DataFileRow>& out) {
    forEachCatalogRecord(page, false, [&](const CPrimaryRecord& record) {
        DataFileRow row;
        if (fixedPartHolds(record, kMinimumLength)) {
            Bytes fixed = record.fixedView();
            row.status = readI32(fixed, kStatus);
            row.fileId = readI16(fixed, kFileId);
            row.logicalName = paddedName(fixed, kLogicalName, kLogicalNameBytes);
            row.physicalName = paddedName(fixed, kPhysicalName, kPhysicalNameBytes);
            row.recordedName = row.physicalName;
        }
        out.push_back(std::move(row));
    });
}

}  // namespace pw::catalog
