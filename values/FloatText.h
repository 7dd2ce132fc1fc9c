#pragma once
// float and real: the shortest text that reads back to the same value.

#include <string>

namespace pw {

void appendDoubleText(std::string& out, double value);
// A real is a 32-bit float: its shortest text is taken at single precision.
void appendFloatText(std::string& out, float value);

}  // namespace pw
