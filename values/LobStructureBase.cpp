#include "values/LobStructureBase.h"

namespace pw {

LobStructureBase::LobStructureBase(const DatabaseFile* file, Bytes data)
    : file_(file), blobIdLow_(readU32(data, 0)), blobIdHigh_(readU32(data, 4)) {}

}  // namespace pw
