#pragma once
// Hexadecimal text of bytes: two upper-case digits per byte, storage order.

#include <string>

#include "storage/ByteReader.h"

namespace pw {

std::string hexUpper(Bytes bytes);
void appendHexUpper(std::string& out, Bytes bytes);

}  // namespace pw
