#pragma once

#include <string>

namespace pw {

// Brackets a name for T-SQL: "[Order Details]", with "]" doubled.
std::string bracketName(const std::string& name);

}  // namespace pw
