// libFuzzer target: binary xml values of any shape must convert without a
// crash, a hang or a sanitizer report. The result is ignored.

#include <cstddef>
#include <cstdint>

#include "values/BinaryXml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pw::convertValueBytes(pw::Bytes(data, size));
    return 0;
}
