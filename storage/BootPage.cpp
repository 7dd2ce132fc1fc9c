#include "storage/BootPage.h"

#include <vector>

#include "app/RunContext.h"
#include "app/Utf16.h"

namespace pw {

std::string versionTextFor(uint16_t version) {
    switch (version) {
        case 408: return " SQL Server 6.5";
        case 515: return " SQL Server 7.0";
        case 539: return " SQL Server 2000";
        case 611: return " SQL Server 2005";
        case 612: return " SQL Server 2005 SP2+ with VarDecimal enabled";
        case 655: return " SQL Server 2008";
        case 660:
        case 661: return " SQL Server 2008 R2";
        case 684: return " SQL Server 2012 CTP1";
        case 706: return " SQL Server 2012";
        case 782: return " SQL Server 2014";
        case 852: return " SQL Server 2016";
        case 868:
        case 869: return " SQL Server 2017";
        case 895:
        case 904: return " SQL Server 2019";
        case 957: return " SQL Server 2022";
        case 998: return " SQL Server 2025";
        default: return "Unknown SQL Version";
    }
}

CBootPage::CBootPage(Bytes page) {
    version = readU16(page, boot::kVersion);
    createVersion = readU16(page, boot::kCreateVersion);
    kept136 = readU32(page, boot::kKept136);
    kept132 = readU32(page, boot::kKept132);

    // The whole name field is UTF-16 (names may be 128 characters long and
    // non-Latin); the padding is 0x20 bytes, i.e. U+2020 code units.
    Bytes field = sliceClamped(page, boot::kDatabaseName, boot::kDatabaseNameBytes);
    size_t units = field.size() / 2;
    while (units > 0) {
        uint16_t unit = readU16(field, 2 * (units - 1));
        if (unit != 0x2020 && unit != 0x0020 && unit != 0x0000) break;
        --units;
    }
    // A zero unit ends the name even before the padding.
    size_t end = 0;
    while (end < units && readU16(field, 2 * end) != 0) ++end;
    databaseName = utf16leToUtf8(field.first(2 * end));

    collationId = readI32(page, boot::kCollationId);
    kept408 = readU16(page, boot::kKept408);
    kept412 = readU32(page, boot::kKept412);
    kept416 = readU32(page, boot::kKept416);
    pageAddressPage = readI32(page, boot::kPageAddress);
    pageAddressFile = readI16(page, boot::kPageAddress + 4);
}

void CBootPage::applyTo(RunContext& context) const {
    context.versionText = versionTextFor(version);
    RecoveryOptions& options = context.options;
    std::optional<int64_t> key;
    if (options.autoDetectCollation) {
        key = findCollationKey(options.collations, collationId);
    } else if (options.collations.count(options.manualCollationId)) {
        key = options.manualCollationId;
    }
    if (!key) return;
    const CollationEntry& entry = options.collations.at(*key);
    options.collationKnown = true;
    options.databaseCollationId = *key;
    options.databaseCodePage = entry.codePage;
    options.databaseCollationName = entry.name;
}

}  // namespace pw
