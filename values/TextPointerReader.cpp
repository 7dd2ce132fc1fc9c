#include "values/TextPointerReader.h"

namespace pw {

TextPointerReader::TextPointerReader(Bytes pointer) {
    valid_ = pointer.size() == kTextPointerSize;
    firstWord_ = readU32(pointer, 0);
    timestamp_ = readU64(pointer, 0);
    rowId_ = RowId::parse(pointer, 8);
}

}  // namespace pw
