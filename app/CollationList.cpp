#include "app/CollationList.h"

#include <climits>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace pw {
namespace {

// atoi semantics with 32-bit wrap avoided: saturate instead of overflowing.
int32_t parseLeadingInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\f' || text[i] == '\v'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(INT32_MAX) + 1) value = int64_t(INT32_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) value = INT32_MAX;
    if (value < INT32_MIN) value = INT32_MIN;
    return int32_t(value);
}

}  // namespace

CollationList parseCollationList(std::string_view text) {
    CollationList list;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        size_t firstTab = line.find('\t');
        if (line.empty() || firstTab == std::string_view::npos || firstTab + 1 >= line.size())
            continue;
        size_t secondTab = line.find('\t', firstTab + 1);
        if (secondTab == std::string_view::npos) continue;
        CollationEntry entry;
        entry.name = std::string(line.substr(0, firstTab));
        int64_t id = parseLeadingInt(line.substr(firstTab + 1, secondTab - firstTab - 1));
        entry.codePage = parseLeadingInt(line.substr(secondTab + 1));
        list[id] = std::move(entry);
    }
    return list;
}

CollationList loadCollationList(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream content;
    content << in.rdbuf();
    return parseCollationList(content.str());
}

std::string collationFileBesideExecutable() {
    char buffer[4096];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (length <= 0) return "collation.txt";
    std::string path(buffer, size_t(length));
    size_t slash = path.find_last_of('/');
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "collation.txt";
}

std::optional<int64_t> findCollationKey(const CollationList& list, int32_t collationId) {
    int64_t whole = collationId;
    if (list.count(whole)) return whole;
    int64_t low = int64_t(uint32_t(collationId) & 0xFFFFu);
    if (list.count(low)) return low;
    return std::nullopt;
}

}  // namespace pw
