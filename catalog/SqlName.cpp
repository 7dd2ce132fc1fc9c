#include "catalog/SqlName.h"

namespace pw {

std::string bracketName(const std::string& name) {
    std::string out = "[";
    for (char c : name) {
        out.push_back(c);
        if (c == ']') out.push_back(']');
    }
    out.push_back(']');
    return out;
}

}  // namespace pw
