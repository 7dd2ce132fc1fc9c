#include "cli/CatalogListing.h"

#include <map>

namespace pw::cli {

bool outputFormatOf(const Arguments& arguments, OutputFormat& format) {
    std::string name = arguments.value("format", "text");
    if (name == "text") format = OutputFormat::Text;
    else if (name == "tsv") format = OutputFormat::Tsv;
    else if (name == "json") format = OutputFormat::Json;
    else {
        printError("unknown format '" + name + "' (text, tsv or json)");
        return false;
    }
    return true;
}

std::unique_ptr<OpenedCatalog> openCatalog(const std::string& path) {
    auto catalog = std::make_unique<OpenedCatalog>();
    catalog->opened = openDataFile(path);
    if (!catalog->opened) return nullptr;
    catalog->database = std::make_unique<Database>(*catalog->opened->file);
    catalog->opened->sink.finishLine();
    return catalog;
}

ObjectKind objectKindOf(const std::string& type) {
    static const std::map<std::string, ObjectKind> kKinds = {
        {"U ", {0, "user table"}},   {"S ", {1, "system table"}},  {"IT", {2, "internal table"}},
        {"TT", {3, "table type"}},   {"V ", {4, "view"}},          {"P ", {5, "procedure"}},
        {"X ", {5, "procedure"}},    {"PC", {5, "procedure"}},     {"RF", {5, "procedure"}},
        {"FN", {6, "function"}},     {"IF", {6, "function"}},      {"TF", {6, "function"}},
        {"FS", {6, "function"}},     {"FT", {6, "function"}},      {"AF", {6, "function"}},
        {"TR", {7, "trigger"}},      {"TA", {7, "trigger"}},       {"D ", {8, "default"}},
        {"PK", {9, "constraint"}},   {"UQ", {9, "constraint"}},    {"F ", {9, "constraint"}},
        {"C ", {9, "constraint"}},   {"R ", {10, "rule"}},         {"SQ", {11, "service queue"}},
        {"SN", {12, "synonym"}},
    };
    auto found = kKinds.find(type);
    return found == kKinds.end() ? ObjectKind{13, "other"} : found->second;
}

std::string systemTypeName(int id) {
    static const std::map<int, const char*> kNames = {
        {34, "image"},     {35, "text"},           {36, "uniqueidentifier"}, {40, "date"},
        {41, "time"},      {42, "datetime2"},      {43, "datetimeoffset"},   {48, "tinyint"},
        {52, "smallint"},  {56, "int"},            {58, "smalldatetime"},    {59, "real"},
        {60, "money"},     {61, "datetime"},       {62, "float"},            {98, "sql_variant"},
        {99, "ntext"},     {104, "bit"},           {106, "decimal"},         {108, "numeric"},
        {122, "smallmoney"}, {127, "bigint"},      {165, "varbinary"},       {167, "varchar"},
        {173, "binary"},   {175, "char"},          {189, "timestamp"},       {231, "nvarchar"},
        {239, "nchar"},    {240, "clr"},           {241, "xml"},
    };
    auto found = kNames.find(id);
    return found == kNames.end() ? std::string() : found->second;
}

std::string displayTypeText(const ColumnDescriptor& column) {
    // The catalog's own type name when it has one (SQL Server 2000 catalogs
    // keep no scalar type table).
    std::string name = column.typeText.substr(0, column.typeText.find('('));
    if (name.empty()) name = systemTypeName(column.systemTypeId);
    if (name.empty()) return column.typeText;
    int16_t length = lengthFromTypeText(column.typeText);  // the catalog's max length in bytes
    switch (column.systemTypeId) {
        case 165: case 167: case 173: case 175:
            return name + "(" + (length == -1 ? std::string("max") : std::to_string(length)) + ")";
        case 231: case 239:
            return name + "(" + (length == -1 ? std::string("max") : std::to_string(length / 2)) + ")";
        case 106: case 108:
            return name + "(" + std::to_string(column.precision) + "," + std::to_string(column.scale) + ")";
        case 41: case 42: case 43:
            return name + "(" + std::to_string(column.scale) + ")";
        default:
            return name;
    }
}

std::string tsvCell(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return out;
}

}  // namespace pw::cli
