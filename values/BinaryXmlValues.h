#pragma once
// Text of the atomic values of binary xml (the sql and xsd types), as they
// appear in xml text.

#include <cstdint>
#include <string>

#include "values/BinaryXmlCursor.h"

namespace pw::binxml {

// Resolves a qualified-name reference of an xsd:QName value.
class QNameLookup {
public:
    virtual ~QNameLookup() = default;
    // Appends "prefix:local" (or "local"); false for an unknown reference.
    virtual bool appendQName(uint32_t reference, std::string& out) const = 0;
};

// Reads the value that follows `token` and appends its text, not yet
// escaped. Returns false when the value is cut off or malformed; the cursor
// is then somewhere inside the value.
bool readAtomicValue(uint8_t token, Cursor& cursor, std::string& out, const QNameLookup& names);

}  // namespace pw::binxml
