// The shipped collation list: it parses and knows the collations of the
// real data files.

#include <gtest/gtest.h>

#include "app/CollationList.h"

namespace pw {
namespace {

TEST(CollationFile, ShippedListParsesWithKnownIds) {
    CollationList list = loadCollationList(std::string(PW_SOURCE_DIR) + "/app/collation.txt");
    EXPECT_GT(list.size(), 1000u);
    struct Known {
        int64_t id;
        const char* name;
        int32_t codePage;
    } known[] = {
        {872468488, "SQL_Latin1_General_CP1_CI_AS", 1252},
        {53256, "Latin1_General_CI_AS", 1252},
        {61448, "Latin1_General_CI_AI", 1252},
        {53251, "Chinese_Taiwan_Stroke_CI_AS", 950},
        {53288, "Modern_Spanish_CI_AS", 1252},
    };
    for (const Known& k : known) {
        auto found = list.find(k.id);
        ASSERT_NE(found, list.end()) << k.name;
        EXPECT_EQ(found->second.name, k.name);
        EXPECT_EQ(found->second.codePage, k.codePage) << k.name;
    }
    // Every entry names a code page the decoder knows (0: Unicode only).
    for (const auto& [id, entry] : list) {
        int32_t cp = entry.codePage;
        bool known = cp == 0 || cp == 437 || cp == 850 || cp == 874 || cp == 932 || cp == 936 ||
                     cp == 949 || cp == 950 || (cp >= 1250 && cp <= 1258) || cp == 65001;
        EXPECT_TRUE(known) << entry.name << " " << cp;
    }
}

TEST(CollationFile, CopiedBesideTheExecutables) {
    CollationList list = loadCollationList(std::string(PW_BINARY_DIR) + "/collation.txt");
    EXPECT_GT(list.size(), 1000u);
}

}  // namespace
}  // namespace pw
