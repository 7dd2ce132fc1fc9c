#pragma once
// The database boot page (page 9 of the primary file). Its record starts at
// byte 96; the fields read here sit at fixed page offsets:
//   100 version (u16) · 102 create version (u16) · 148 database name, 128
//   UTF-16 code units padded with 0x20 bytes · 488 collation id (i32)

#include <cstdint>
#include <string>

#include "storage/ByteReader.h"

namespace pw {

struct RunContext;

namespace boot {
constexpr size_t kVersion = 100;
constexpr size_t kCreateVersion = 102;
constexpr size_t kKept132 = 132;
constexpr size_t kKept136 = 136;
constexpr size_t kDatabaseName = 148;
constexpr size_t kDatabaseNameBytes = 256;
constexpr size_t kKept408 = 408;
constexpr size_t kKept412 = 412;
constexpr size_t kKept416 = 416;
constexpr size_t kCollationId = 488;
constexpr size_t kPageAddress = 612;
}  // namespace boot

// " SQL Server 2008" for 655 …; "Unknown SQL Version" for numbers not known.
std::string versionTextFor(uint16_t version);

class CBootPage {
public:
    CBootPage() = default;
    explicit CBootPage(Bytes page);

    // Sets the context's version text and, when the collation is found in
    // the collation list (or the manual choice is), its collation fields.
    void applyTo(RunContext& context) const;

    std::string databaseName;
    uint16_t version = 0;
    uint16_t createVersion = 0;
    int32_t collationId = 0;
    int16_t pageAddressFile = 0;
    int32_t pageAddressPage = 0;
    uint32_t kept132 = 0, kept136 = 0, kept412 = 0, kept416 = 0;
    uint16_t kept408 = 0;
};

}  // namespace pw
