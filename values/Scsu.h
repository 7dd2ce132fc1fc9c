#pragma once
// The Standard Compression Scheme for Unicode (Unicode Technical Standard
// #6), as row and page compression store Unicode text.

#include <string>

#include "storage/ByteReader.h"

namespace pw {

// Decodes one SCSU value, starting from the standard's initial state, into
// UTF-8. Unpaired surrogates become U+FFFD; a tag cut off at the end of the
// bytes ends the text. Never reads past the bytes.
std::string decodeScsu(Bytes bytes);

}  // namespace pw
