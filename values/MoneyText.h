#pragma once
// money and smallmoney: a signed count of ten-thousandths shown with exactly
// four decimals and at least one digit before the point ("-0.0123").

#include <cstdint>
#include <string>

namespace pw {

void appendMoneyText(std::string& out, int64_t tenThousandths);

}  // namespace pw
