#pragma once
// The collation list: collation id -> (name, Windows code page), read once
// at start-up from "collation.txt" beside the executable.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace pw {

struct CollationEntry {
    std::string name;
    int32_t codePage = 0;
};

using CollationList = std::map<int64_t, CollationEntry>;

// Parses the text of a collation file: one collation per line, name TAB id
// TAB code page. Lines that are empty, lack a TAB, have nothing after the
// first TAB or lack a second TAB are skipped; a later line with the same id
// replaces the earlier one. Numbers are read like C's atoi (leading blanks,
// optional sign, digits up to the first other character, 0 without digits).
CollationList parseCollationList(std::string_view text);

// Reads and parses a collation file; a missing or unreadable file gives an
// empty list and no report.
CollationList loadCollationList(const std::string& path);

// The collation file beside the running executable.
std::string collationFileBesideExecutable();

// Automatic detection: the whole id sign-extended, then its low 16 bits
// zero-extended. Returns the key that matched.
std::optional<int64_t> findCollationKey(const CollationList& list, int32_t collationId);

}  // namespace pw
