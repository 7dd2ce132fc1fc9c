#include "values/FloatText.h"

#include <charconv>

namespace pw {

void appendDoubleText(std::string& out, double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    out.append(buffer, size_t(result.ptr - buffer));
}

void appendFloatText(std::string& out, float value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    out.append(buffer, size_t(result.ptr - buffer));
}

}  // namespace pw
