// The export writers: T-SQL literals and CREATE TABLE text, CSV fields, and
// a SQLite file read back.

#include <gtest/gtest.h>

#include <sqlite3.h>

#include "export/CsvWriter.h"
#include "export/SqlLiteral.h"
#include "export/SqlScriptWriter.h"
#include "export/SqlTypeText.h"
#include "export/SqliteWriter.h"
#include "tests/TestSupport.h"

namespace pw {
namespace {

ColumnDescriptor column(const std::string& typeText, const std::string& name, int code, uint8_t systemType) {
    ColumnDescriptor c(typeText, name, code);
    c.systemTypeId = systemType;
    c.physicalColumnId = 1;
    c.stored = true;
    c.nullable = true;
    return c;
}

TEST(ExportWriters, SqlLiteralsAreExact) {
    struct Case {
        std::string text;
        bool isNull;
        ColumnDescriptor column;
        std::string literal;
        bool undecodable;
    } cases[] = {
        {"42", false, column("int(4)", "a", 9, 56), "42", false},
        {"", true, column("int(4)", "a", 9, 56), "NULL", false},
        {"", false, column("int(4)", "a", 9, 56), "NULL", true},
        {"It's", false, column("nvarchar(20)", "b", 11, 231), "N'It''s'", false},
        {"NULL", false, column("varchar(20)", "b", 17, 167), "N'NULL'", false},
        {"0x00FF", false, column("varbinary(-1)", "c", 16, 165), "0x00FF", false},
        {" ", false, column("image(16)", "c", 25, 34), "0x", false},
        {"True", false, column("bit(1)", "d", 2, 104), "1", false},
        {"1996-07-04 00:00:00.000", false, column("datetime(8)", "e", 4, 61), "'1996-07-04T00:00:00.000'", false},
        {"2020-01-02 03:04:05.1234567 +05:30", false, column("datetimeoffset(10)", "f", 8, 43),
         "'2020-01-02T03:04:05.1234567+05:30'", false},
        {"-0.0123", false, column("money(8)", "g", 21, 60), "-0.0123", false},
        {"03020100-0504-0706-0809-0A0B0C0D0E0F", false, column("uniqueidentifier(16)", "h", 15, 36),
         "'03020100-0504-0706-0809-0A0B0C0D0E0F'", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " as " + c.column.typeText);
        SqlLiteral literal = sqlLiteral(c.text, c.isNull, c.column);
        EXPECT_EQ(literal.text, c.literal);
        EXPECT_EQ(literal.undecodable, c.undecodable);
    }
}

TEST(ExportWriters, TypeDeclarations) {
    EXPECT_EQ(sqlTypeDeclaration(column("nvarchar(40)", "", 11, 231)), "nvarchar(20)");
    EXPECT_EQ(sqlTypeDeclaration(column("nvarchar(-1)", "", 11, 231)), "nvarchar(max)");
    EXPECT_EQ(sqlTypeDeclaration(column("nvarchar(-1)", "", 11, 231), false), "nvarchar(4000)");
    EXPECT_EQ(sqlTypeDeclaration(column("varchar(50)", "", 17, 167)), "varchar(50)");
    ColumnDescriptor money = column("decimal(9)", "", 24, 106);
    money.precision = 10;
    money.scale = 2;
    EXPECT_EQ(sqlTypeDeclaration(money), "decimal(10,2)");
    EXPECT_EQ(sqlTypeDeclaration(column("int(4)", "", 9, 56)), "int");
    EXPECT_EQ(bracketName("Order]Details"), "[Order]]Details]");
}

TableSchema sampleTable() {
    TableSchema table;
    table.name = "Order Details";
    ColumnDescriptor id = column("int(4)", "OrderID", 9, 56);
    id.nullable = false;
    id.identityText = "identity(1,1)";
    ColumnDescriptor name = column("nvarchar(80)", "Name", 11, 231);
    ColumnDescriptor total = column("money(8)", "Total", 21, 60);
    total.physicalColumnId = kNotStored;
    total.infoText = "([Price]*(2))";
    table.columns = {id, name, total};
    table.keys.push_back({"PK_Order", true, true, {{"OrderID", false}}});
    table.checks.push_back({"CK_Name", "([Name]<>'')"});
    return table;
}

TEST(ExportWriters, ScriptCreatesTableAndBatchesInserts) {
    test::TempDir dir;
    ExportOptions options;
    options.outputPath = dir.path().string();
    options.databaseName = "Shop";
    SqlScriptWriter writer(options, {}, 0);
    TableSchema table = sampleTable();
    ASSERT_TRUE(writer.beginTable(table));
    for (int i = 1; i <= 1001; ++i)
        ASSERT_TRUE(writer.writeRow({{std::to_string(i), i == 2 ? "" : "x'y", ""}, {0, uint8_t(i == 2), 0}}));
    ASSERT_TRUE(writer.endTable());
    ASSERT_TRUE(writer.finish({table}, {{"dbo", "V1", "V ", "CREATE VIEW V1 AS SELECT 1\r\n"}}));
    auto bytes = test::readFileBytes(dir.file("Shop.sql"));
    std::string script(bytes.begin(), bytes.end());
    EXPECT_NE(script.find("CREATE TABLE [dbo].[Order Details] (\r\n    [OrderID] int IDENTITY(1,1) NOT NULL,\r\n"
                          "    [Name] nvarchar(40) NULL,\r\n    [Total] AS ([Price]*(2)),\r\n"
                          "    CONSTRAINT [PK_Order] PRIMARY KEY CLUSTERED ([OrderID] ASC)\r\n)\r\nGO\r\n"),
              std::string::npos)
        << script.substr(0, 600);
    EXPECT_NE(script.find("SET IDENTITY_INSERT [dbo].[Order Details] ON"), std::string::npos);
    EXPECT_NE(script.find("INSERT INTO [dbo].[Order Details] ([OrderID], [Name]) VALUES\r\n(1, N'x''y'),\r\n(2, NULL),"),
              std::string::npos);
    // 1001 rows: a full batch of 1000, then one more statement.
    EXPECT_NE(script.find("(1000, N'x''y')\r\nGO\r\nINSERT INTO [dbo].[Order Details] ([OrderID], [Name]) VALUES\r\n(1001, N'x''y')\r\nGO"),
              std::string::npos);
    EXPECT_NE(script.find("CREATE VIEW V1 AS SELECT 1\r\nGO"), std::string::npos);

    SqlScriptWriter again(options, {}, 0);
    EXPECT_FALSE(again.beginTable(table));  // the script exists and --force was not given
    EXPECT_NE(again.error().find("exists"), std::string::npos);
}

TEST(ExportWriters, CsvQuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(csvField("plain", false), "plain");
    EXPECT_EQ(csvField("", true), "");
    EXPECT_EQ(csvField("", false), "\"\"");
    EXPECT_EQ(csvField("a,b", false), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\"\r\n", false), "\"say \"\"hi\"\"\r\n\"");
}

TEST(ExportWriters, SqliteRoundTrip) {
    test::TempDir dir;
    ExportOptions options;
    options.outputPath = dir.file("out.sqlite").string();
    SqliteWriter writer(options);
    TableSchema table = sampleTable();
    table.columns.push_back(column("varbinary(10)", "Blob", 16, 165));
    table.columns.push_back(column("bit(1)", "Flag", 2, 104));
    ASSERT_TRUE(writer.beginTable(table));
    ASSERT_TRUE(writer.writeRow({{"7", "Ä", "", "0x00FF", "True"}, {0, 0, 1, 0, 0}}));
    ASSERT_TRUE(writer.writeRow({{"oops", "", "", "", ""}, {0, 1, 1, 1, 1}}));
    ASSERT_TRUE(writer.endTable());
    ASSERT_TRUE(writer.finish({table}, {}));
    EXPECT_EQ(writer.undecodableValues(), 1u);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(options.outputPath.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* query = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT OrderID, Name, hex(Blob), Flag FROM \"Order Details\" ORDER BY rowid", -1,
                                 &query, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(query), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(query, 0), 7);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sqlite3_column_text(query, 1))), "Ä");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sqlite3_column_text(query, 2))), "00FF");
    EXPECT_EQ(sqlite3_column_int(query, 3), 1);
    ASSERT_EQ(sqlite3_step(query), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_type(query, 0), SQLITE_NULL);
    sqlite3_finalize(query);
    sqlite3_close(db);
}

}  // namespace
}  // namespace pw
