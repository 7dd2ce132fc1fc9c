// page FILE FILENO:PAGENO: the header fields and each slot's record parts.

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "cli/Command.h"
#include "cli/Json.h"
#include "cli/OpenedFile.h"
#include "storage/RecordPage.h"
#include "values/HexText.h"

namespace pw::cli {
namespace {

bool parseAddress(const std::string& text, PagePointer& out) {
    auto colon = text.find(':');
    if (colon == std::string::npos) return false;
    char* end = nullptr;
    long file = std::strtol(text.c_str(), &end, 10);
    if (end != text.c_str() + colon) return false;
    long page = std::strtol(text.c_str() + colon + 1, &end, 10);
    if (*end != '\0' || file < 0 || file > 32767 || page < 0 || page > INT32_MAX) return false;
    out = PagePointer{int16_t(file), int32_t(page)};
    return true;
}

const char* recordTypeName(int32_t type) {
    static const char* names[] = {"PRIMARY_RECORD", "FORWARDED_RECORD", "FORWARDING_STUB", "INDEX_RECORD",
                                  "BLOB_FRAGMENT",  "GHOST_INDEX",      "GHOST_DATA",      "GHOST_VERSION"};
    return type >= 0 && type < 8 ? names[type] : "?";
}

int runPage(const Arguments& arguments) {
    PagePointer address;
    if (arguments.positionals.size() != 2 || !parseAddress(arguments.positionals[1], address)) {
        printError("usage: page FILE FILENO:PAGENO [--format text|json]");
        return kExitUsage;
    }
    std::string format = arguments.value("format", "text");
    if (format != "text" && format != "json") {
        printError("unknown format '" + format + "' (text or json)");
        return kExitUsage;
    }
    auto opened = openDataFile(arguments.positionals[0], false, arguments.has("deleted"), false);
    if (!opened) return kExitUnreadable;
    auto bytes = opened->file->readPage(address, true);
    if (!bytes) {
        printError("page " + arguments.positionals[1] + " is outside the file");
        return kExitUnreadable;
    }
    CDataPage page(std::move(*bytes), opened->file.get(), RecordPageOptions::from(opened->context));
    const CPage_Header& h = page.header();

    if (format == "json") {
        JsonWriter json;
        json.beginObject().key("header").beginObject();
        json.key("pageId").value(std::to_string(h.thisPage.fileNumber) + ":" + std::to_string(h.thisPage.pageNumber));
        json.key("headerVersion").value(int64_t(h.headerVersion)).key("type").value(int64_t(h.pageType));
        json.key("typeFlagBits").value(int64_t(h.typeFlagBits)).key("level").value(int64_t(h.level));
        json.key("flagBits").value(int64_t(h.flagBits)).key("indexId").value(int64_t(h.indexId));
        json.key("objectId").value(int64_t(h.objectId));
        json.key("prevPage").value(std::to_string(h.previousPage.fileNumber) + ":" + std::to_string(h.previousPage.pageNumber));
        json.key("nextPage").value(std::to_string(h.nextPage.fileNumber) + ":" + std::to_string(h.nextPage.pageNumber));
        json.key("pminlen").value(int64_t(h.minimumRecordLength)).key("slotCount").value(int64_t(h.slotCount));
        json.key("freeCount").value(int64_t(h.freeCount)).key("freeData").value(int64_t(h.freeDataOffset));
        json.key("reservedCount").value(int64_t(h.reservedCount)).key("lsn").value(h.lsnText());
        json.key("xactReserved").value(int64_t(h.transactionReservedCount)).key("xdesId").value(h.transactionText());
        json.key("ghostRecordCount").value(int64_t(h.ghostRecordCount)).key("tornBits").value(int64_t(h.tornBits));
        json.endObject().key("slots").beginArray();
        for (size_t slot = 0; slot < page.slotArray().size(); ++slot) {
            json.beginObject().key("slot").value(int64_t(slot)).key("offset").value(int64_t(page.slotArray()[slot]));
            const CPrimaryRecord* record = page.primaryRecord(slot);
            if (!record) {
                json.key("record").null().endObject();
                continue;
            }
            json.key("recordType").value(recordTypeName(record->recordType));
            json.key("invalid").value(record->invalid).key("ghost").value(record->ghost);
            json.key("compressed").value(record->compressed);
            json.key("fixedLength").value(int64_t(record->fixedPart.size()));
            json.key("columnCount").value(int64_t(record->columnCount));
            json.key("nullBitmap").value(hexUpper(Bytes(record->nullBitmap.data(), record->nullBitmap.size())));
            json.key("recordLength").value(int64_t(record->recordLength));
            json.key("variableColumns").beginArray();
            for (const auto& slice : record->variableSlices) {
                json.beginObject().key("length").value(int64_t(slice.length)).key("complex").value(slice.complex);
                json.key("present").value(slice.present).endObject();
            }
            json.endArray().endObject();
        }
        json.endArray().endObject();
        std::printf("%s\n", json.text().c_str());
        return kExitOk;
    }

    std::printf("PAGE: (%d:%d)\n\nPAGE HEADER:\n", address.fileNumber, address.pageNumber);
    std::printf("m_pageId = (%d:%d)  m_headerVersion = %u  m_type = %d\n", h.thisPage.fileNumber,
                h.thisPage.pageNumber, h.headerVersion, h.pageType);
    std::printf("m_typeFlagBits = 0x%x  m_level = %u  m_flagBits = 0x%x\n", h.typeFlagBits, h.level, h.flagBits);
    std::printf("m_objId = %d  m_indexId = %u  m_prevPage = (%d:%d)  m_nextPage = (%d:%d)\n", h.objectId,
                h.indexId, h.previousPage.fileNumber, h.previousPage.pageNumber, h.nextPage.fileNumber,
                h.nextPage.pageNumber);
    std::printf("pminlen = %u  m_slotCnt = %d  m_freeCnt = %u  m_freeData = %u\n", h.minimumRecordLength,
                h.slotCount, h.freeCount, h.freeDataOffset);
    std::printf("m_reservedCnt = %u  m_lsn = %s  m_xactReserved = %u  m_xdesId = %s\n", h.reservedCount,
                h.lsnText().c_str(), h.transactionReservedCount, h.transactionText().c_str());
    std::printf("m_ghostRecCnt = %u  m_tornBits = %d\n\n", h.ghostRecordCount, int32_t(h.tornBits));
    for (size_t slot = 0; slot < page.slotArray().size(); ++slot) {
        uint16_t offset = page.slotArray()[slot];
        const CPrimaryRecord* record = page.primaryRecord(slot);
        std::printf("Slot %zu Offset 0x%x", slot, offset);
        if (!record) {
            std::printf("  (no record)\n\n");
            continue;
        }
        std::printf(" Length %d\nRecord Type = %s%s%s%s\n", record->recordLength, recordTypeName(record->recordType),
                    record->compressed ? " (compressed)" : "", record->ghost ? " (ghost)" : "",
                    record->invalid ? " (rejected)" : "");
        std::printf("Fixed length = %zu  Column count = %d  Null bitmap = %s\n", record->fixedPart.size(),
                    record->columnCount, record->nullBitmap.empty() ? "-" : hexUpper(Bytes(record->nullBitmap.data(), record->nullBitmap.size())).c_str());
        for (size_t k = 0; k < record->variableSlices.size(); ++k) {
            const auto& slice = record->variableSlices[k];
            std::printf("  Variable column %zu: %d bytes%s%s\n", k, slice.length, slice.complex ? " (complex)" : "",
                        slice.present ? "" : " (out of bounds)");
        }
        if (record->sparseVector)
            std::printf("  Sparse vector: %zu columns\n", record->sparseVector->slices.size());
        std::printf("\n");
    }
    return kExitOk;
}

CommandRegistration registration({"page", "page FILE FILENO:PAGENO [--format text|json] [--deleted]",
                                  "header fields and record parts of one page, like a page dump",
                                  {"format"}, {"deleted"}, runPage});

}  // namespace
}  // namespace pw::cli
