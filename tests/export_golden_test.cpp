// The script of a table holding every column type, compared with a reviewed
// golden file (tests/golden/every_type.sql). Set PW_UPDATE_GOLDEN=1 to
// rewrite the golden file after a reviewed change.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "export/SqlScriptWriter.h"
#include "tests/TestSupport.h"

namespace pw {
namespace {

struct TypedValue {
    const char* typeText;
    int code;
    uint8_t systemType;
    const char* value;  // nullptr: NULL
};

TEST(ExportGolden, ScriptOfEveryColumnType) {
    const TypedValue values[] = {
        {"bigint(8)", 0, 127, "-9223372036854775808"},
        {"binary(4)", 1, 173, "0x00FF10AB"},
        {"bit(1)", 2, 104, "True"},
        {"char(5)", 3, 175, "ab   "},
        {"datetime(8)", 4, 61, "1996-07-04 13:45:30.997"},
        {"date(3)", 5, 40, "0001-01-01"},
        {"time(5)", 6, 41, "23:59:59.9999999"},
        {"datetime2(8)", 7, 42, "2024-02-29 12:00:00.0000500"},
        {"datetimeoffset(10)", 8, 43, "2020-01-02 03:04:05.1234567 -05:30"},
        {"int(4)", 9, 56, "-2147483648"},
        {"nchar(10)", 10, 239, "會員  "},
        {"nvarchar(-1)", 11, 231, "It's \"quoted\"\r\nand long"},
        {"smallint(2)", 13, 52, "-32768"},
        {"tinyint(1)", 14, 48, "255"},
        {"uniqueidentifier(16)", 15, 36, "6F9619FF-8B86-D011-B42D-00C04FC964FF"},
        {"varbinary(-1)", 16, 165, "0x"},
        {"varchar(50)", 17, 167, "Ünïcödé in 1252"},
        {"ntext(16)", 19, 99, nullptr},
        {"sql_variant(8016)", 20, 98, "42"},
        {"money(8)", 21, 60, "-922337203685477.5808"},
        {"float(8)", 22, 62, "1.7976931348623157e+308"},
        {"numeric(9)", 23, 108, "0.55"},
        {"decimal(17)", 24, 106, "-12345678901234567890.1234567890"},
        {"image(16)", 25, 34, "0x89504E47"},
        {"text(16)", 26, 35, "plain text"},
        {"smalldatetime(4)", 27, 58, "2079-06-06 23:59:00"},
        {"real(4)", 28, 59, "3.4028235e+38"},
        {"smallmoney(4)", 29, 122, "214748.3647"},
        {"timestamp(8)", 30, 189, "0x00000000000007D1"},
        {"hierarchyid(892)", 33, 240, "0x58"},
        {"xml(-1)", 34, 241, "<a b=\"1\">x</a>"},
    };
    TableSchema table;
    table.name = "EveryType";
    std::vector<std::string> texts;
    std::vector<uint8_t> nulls;
    int columnId = 1;
    for (const TypedValue& v : values) {
        ColumnDescriptor column(v.typeText, std::string("c_") + v.typeText, v.code);
        column.name = column.name.substr(0, column.name.find('('));
        column.systemTypeId = v.systemType;
        column.columnId = column.physicalColumnId = columnId++;
        column.stored = true;
        column.nullable = v.code != 9;
        if (v.code == 23) column.precision = 9, column.scale = 2;
        if (v.code == 24) column.precision = 38, column.scale = 10;
        if (v.code == 6 || v.code == 7 || v.code == 8) column.scale = 7;
        if (v.code == 9) column.identityText = "identity(1,1)";
        table.columns.push_back(column);
        texts.push_back(v.value ? v.value : "");
        nulls.push_back(v.value == nullptr);
    }
    ColumnDescriptor computed("int(4)", "c_computed", 9);
    computed.physicalColumnId = kNotStored;
    computed.infoText = "([c_int]*(2))";
    table.columns.push_back(computed);
    texts.push_back("");
    nulls.push_back(1);
    table.keys.push_back({"PK_EveryType", true, true, {{"c_int", false}, {"c_date", true}}});
    table.checks.push_back({"CK_EveryType_tinyint", "([c_tinyint]>(0))"});
    table.defaults.push_back({"DF_EveryType_bit", "c_bit", "((1))"});

    test::TempDir dir;
    ExportOptions options;
    options.outputPath = dir.path().string();
    options.databaseName = "golden";
    SqlScriptWriter writer(options, {}, 0);
    ASSERT_TRUE(writer.beginTable(table));
    ASSERT_TRUE(writer.writeRow({texts, nulls}));
    ASSERT_TRUE(writer.endTable());
    ASSERT_TRUE(writer.finish({table}, {}));
    EXPECT_EQ(writer.undecodableValues(), 0u);
    auto bytes = test::readFileBytes(dir.file("golden.sql"));
    std::string script(bytes.begin(), bytes.end());

    std::filesystem::path golden = std::filesystem::path(PW_SOURCE_DIR) / "tests" / "golden" / "every_type.sql";
    if (std::getenv("PW_UPDATE_GOLDEN")) {
        std::filesystem::create_directories(golden.parent_path());
        test::writeFileBytes(golden, bytes);
    }
    auto expected = test::readFileBytes(golden);
    EXPECT_EQ(script, std::string(expected.begin(), expected.end()));
}

}  // namespace
}  // namespace pw
