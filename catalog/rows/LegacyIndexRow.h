#pragma once
// A clustered-index row of the SQL Server 2000 index table (sysindexes,
// object id 2).

#include <cstdint>

namespace pw {

struct LegacyIndexRow {
    int32_t objectId = -1;
    int16_t fileNumber = 0;  // from the header of the page the row was read on
    int16_t indexId = -1;
    int32_t firstPage = -1;  // page number part of `first`
    int64_t rowCount = -1;   // rowcnt
};

}  // namespace pw
