// The identity seed and increment of a 2005-format column, kept in the
// identity value blob (variable column 1 of syscolpars). Its layout depends
// on the column's type: 2-byte values for smallint and tinyint, 4-byte
// values for int, 8-byte values for bigint and decimal.

#include <cinttypes>
#include <cstdio>

#include "catalog/readers/SystemTableReaders.h"

namespace pw::catalog {
namespace {

int64_t valueAt(Bytes blob, size_t offset, size_t width) {
    switch (width) {
        case 2: return readI16(blob, offset);
        case 4: return readI32(blob, offset);
        default: return readI64(blob, offset);
    }
}

}  // namespace

std::string identityTextFor(Bytes blob) {
    size_t length = blob.size();
    int64_t seed = 1;
    int64_t increment = 1;
    if (length >= 24) {
        if (valueAt(blob, 4, 4) != 0) {
            seed = valueAt(blob, 8, 4);
            increment = valueAt(blob, 4, 4);
        } else if (valueAt(blob, 0, 4) != 0) {
            seed = valueAt(blob, 16, 8);
            increment = valueAt(blob, 8, 8);
        } else {
            seed = valueAt(blob, 8, 4);
            increment = 0;
        }
    } else if (length >= 12) {
        seed = valueAt(blob, 8, 4);
        increment = valueAt(blob, 4, 4);
    } else if (length >= 6) {
        seed = valueAt(blob, 4, 2);
        increment = valueAt(blob, 2, 2);
    }
    if (seed == 0) seed = 1;
    char text[64];
    std::snprintf(text, sizeof text, "identity(%" PRId64 ",%" PRId64 ")", seed, increment);
    return text;
}

}  // namespace pw::catalog
