// Loads whole catalogs from data files whose system table pages the fuzzer
// mutates, then selects every object and lists every table. The base file
// is a small fixture database (2005 format, or SQL Server 2000 format), or
// the files named by PW_FUZZ_BASE and PW_FUZZ_LEGACY_BASE (corpus files,
// copied to a temporary folder first). Only crashes, hangs and sanitizer
// reports count.
//
// Input: [mode][page selector, 2 bytes][payload]. The selector picks one of
// the pages the catalog loader reads. Mode bit 0: the payload overwrites the
// page after its header; bit 1: from byte 0, header included; neither: the
// payload is a list of (offset u16, value) edits. Bit 2 takes the SQL Server
// 2000 base, bit 3 turns on deleted rows. The temporary copy is restored
// after each run.

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/RunContext.h"
#include "catalog/Database.h"
#include "storage/DatabaseFile.h"
#include "tools/fixtures/CatalogWriter.h"
#include "tools/fixtures/PageBuilder.h"

namespace {

using namespace pw;
using fixtures::CatalogWriter;
using fixtures::ColumnSpec;
using fixtures::TableSpec;

struct Base {
    std::string path;
    std::vector<uint8_t> bytes;
    std::vector<uint64_t> pageOffsets;  // pages the loader reads
    int fd = -1;
};

std::vector<uint8_t> intBytes(int32_t value) {
    std::vector<uint8_t> bytes(4);
    fixtures::putU32(bytes, 0, uint32_t(value));
    return bytes;
}

ColumnSpec column(const std::string& name, uint8_t type, int16_t length, bool nullable = true) {
    ColumnSpec c;
    c.name = name;
    c.systemTypeId = type;
    c.maxLength = length;
    c.nullable = nullable;
    return c;
}

std::vector<uint8_t> fixtureBytes(bool legacy, const std::filesystem::path& directory) {
    CatalogWriter writer(legacy);
    if (!legacy) writer.addStandardScalarTypes();
    TableSpec customers;
    customers.objectId = 1000;
    customers.name = "Customers";
    customers.columns = {column("Id", 56, 4, false), column("Name", 231, 80), column("Notes", 99, 16)};
    customers.primaryKey = {1};
    customers.primaryKeyName = "PK_Customers";
    for (int i = 0; i < 20; ++i)
        customers.rows.push_back(CatalogWriter::rowRecord(customers, {intBytes(i), fixtures::utf16le("name"), {}}));
    writer.addTable(customers);
    TableSpec orders;
    orders.objectId = 2000;
    orders.name = "Orders";
    orders.columns = {column("OrderId", 127, 8, false), column("CustomerId", 56, 4), column("Total", 56, 4)};
    orders.columns[0].identityBlob = fixtures::bigintIdentityBlob(1, 1);
    orders.columns[2].computed = true;
    orders.columnIds = {1, 3, 2};
    orders.rows = {CatalogWriter::rowRecord(orders, {std::vector<uint8_t>(8, 1), intBytes(1), {}})};
    orders.pageObjectId = 34;
    writer.addTable(orders);
    TableSpec heap;
    heap.objectId = 3000;
    heap.name = "Heap";
    heap.columns = {column("a", 175, 10), column("b", 165, -1)};
    writer.addTable(heap);
    CatalogObject view;
    view.objectId = 4000;
    view.name = "Orders";
    view.type = "V ";
    writer.addObject(view);
    if (!legacy) {
        writer.addForeignKey(5000, "FK_Orders_Customers", 2000, {3}, 1000, {1});
        writer.addRowsetColumnInfo({0x0100000000aa0000ull, 1, -1, 1, -1});
        writer.addRowsetColumnLink({0x0100000000aa0000ull, 1, 2});
        auto file = [&](int32_t status, int32_t fileId, const char* logical, const char* physical) {
            DataFileRow row;
            row.status = status;
            row.fileId = fileId;
            row.logicalName = logical;
            row.physicalName = physical;
            writer.addDataFile(row);
        };
        file(2, 1, "Fuzz", "C:\\Data\\base.mdf");
        file(0x42, 2, "Fuzz_log", "C:\\Data\\base_log.ldf");
        file(2, 3, "Fuzz_part", "D:\\Else\\part.ndf");
    }
    fixtures::DatabaseImage image = fixtures::catalogImage(writer, "Fuzz", legacy ? 539 : 661);
    std::string name = legacy ? "legacy.mdf" : "base.mdf";
    image.writeTo(directory / name);
    std::ifstream in(directory / name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeSecondary(const std::filesystem::path& directory) {
    fixtures::DatabaseImage image(18);
    for (uint32_t p = 0; p < 16; ++p) image.setPage(p, fixtures::PageBuilder(int32_t(p), 99, 11, 3).build());
    CatalogWriter writer;
    writer.addDataRecord(34, 256, std::vector<uint8_t>{0x10, 0, 8, 0, 1, 0, 0, 0, 1, 0, 0});
    writer.writeTo(image, 16, 3);
    image.writeTo(directory / "part.ndf");
}

Base prepare(const std::filesystem::path& directory, bool legacy) {
    Base base;
    const char* given = std::getenv(legacy ? "PW_FUZZ_LEGACY_BASE" : "PW_FUZZ_BASE");
    if (given) {
        std::ifstream in(given, std::ios::binary);
        base.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        base.path = (directory / (legacy ? "given_legacy.mdf" : "given.mdf")).string();
    } else {
        base.bytes = fixtureBytes(legacy, directory);
        base.path = (directory / (legacy ? "legacy.mdf" : "base.mdf")).string();
    }
    std::ofstream(base.path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(base.bytes.data()), std::streamsize(base.bytes.size()));
    // The pages worth mutating: everything the catalog loader reads.
    RunContext context;
    DatabaseFile file(base.path, false, context);
    for (const auto& [objectId, pages] : file.systemPageMap)
        for (const PageEntry& entry : pages)
            if (objectId > 0) base.pageOffsets.push_back(uint64_t(entry.pageNumber) * kPageSize + file.pageOrigin);
    if (base.pageOffsets.empty()) base.pageOffsets.push_back(0);
    base.fd = ::open(base.path.c_str(), O_RDWR);
    return base;
}

struct Bases {
    std::filesystem::path directory;
    Base modern;
    Base legacy;
};

Bases& bases() {
    static Bases all = [] {
        Bases b;
        b.directory = std::filesystem::temp_directory_path() /
                      ("pagewright-catalog-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(b.directory);
        writeSecondary(b.directory);
        b.modern = prepare(b.directory, false);
        b.legacy = prepare(b.directory, true);
        std::atexit([] { std::error_code ec; std::filesystem::remove_all(bases().directory, ec); });
        return b;
    }();
    return all;
}

void exercise(DatabaseFile& file) {
    Database database(file);
    std::vector<CatalogObject> objects = database.objects;
    for (size_t i = 0; i < objects.size() && i < 64; ++i) {
        const CatalogObject& object = objects[i];
        std::vector<DefinitionRow> definitions = {{std::to_string(object.objectId), "2", "0x41004200"}};
        database.selectObject(object.name, object.type, definitions);
        (void)database.catalogRowCount(object.objectId);
        (void)database.dataPagesOf(object.objectId);
    }
    (void)database.findScalarType(56, 56);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    uint8_t mode = data[0];
    Base& base = (mode & 4) ? bases().legacy : bases().modern;
    if (base.fd < 0) return 0;
    uint16_t selector = uint16_t(data[1] | (data[2] << 8));
    uint64_t offset = base.pageOffsets[selector % base.pageOffsets.size()];
    if (offset + kPageSize > base.bytes.size()) return 0;
    std::vector<uint8_t> page(base.bytes.begin() + long(offset), base.bytes.begin() + long(offset + kPageSize));
    const uint8_t* payload = data + 3;
    size_t payloadSize = size - 3;
    if (mode & 3) {
        size_t start = (mode & 2) ? 0 : kPageHeaderSize;
        for (size_t i = 0; i < payloadSize && start + i < kPageSize; ++i) page[start + i] = payload[i];
    } else {
        for (size_t i = 0; i + 2 < payloadSize; i += 3)
            page[(payload[i] | (payload[i + 1] << 8)) % kPageSize] = payload[i + 2];
    }
    if (::pwrite(base.fd, page.data(), kPageSize, off_t(offset)) != ssize_t(kPageSize)) return 0;
    {
        RunContext context;
        context.options.showDeleted = (mode & 8) != 0;
        DatabaseFile file(base.path, false, context);
        if (file.isOpen()) exercise(file);
    }
    // Put the page back for the next input.
    if (::pwrite(base.fd, base.bytes.data() + offset, kPageSize, off_t(offset)) != ssize_t(kPageSize)) std::abort();
    return 0;
}
