#pragma once
// One column as the row decoder and the displays see it: name, internal type
// code, type text ("varchar(50)"), flags, physical position and key marks.

#include <cstdint>
#include <string>

namespace pw {

// The row decoder's type code, derived from the column's system type id.
enum class TypeCode : int32_t {
    BigInt = 0,
    Binary = 1,
    Bit = 2,
    Char = 3,
    DateTime = 4,
    Date = 5,
    Time = 6,
    DateTime2 = 7,
    DateTimeOffset = 8,
    Int = 9,
    NChar = 10,
    NVarChar = 11,
    SmallInt = 13,
    TinyInt = 14,
    UniqueIdentifier = 15,
    VarBinary = 16,
    VarChar = 17,
    SysName = 18,  // system type 232; becomes NVarChar on construction
    NText = 19,
    SqlVariant = 20,
    Money = 21,
    Float = 22,
    Numeric = 23,
    Decimal = 24,
    Image = 25,
    Text = 26,
    SmallDateTime = 27,
    Real = 28,
    SmallMoney = 29,
    Timestamp = 30,
    HierarchyId = 31,
    Geometry = 32,
    ClrType = 33,
    Xml = 34,
};

// The fixed mapping from a system type id (xtype) to its type code; ids that
// are not listed give Char.
TypeCode typeCodeForSystemType(int systemTypeId);

constexpr int32_t kNotStored = -99;  // physical column id of a column without storage

struct ColumnDescriptor {
    int16_t length = 0;  // the number in the parentheses of typeText (-1 for max)
    int32_t columnId = 0;
    std::string name;
    TypeCode typeCode = TypeCode::Char;
    std::string typeText;
    bool nullable = false;
    bool variable = false;
    bool sparse = false;
    std::string infoText;  // decoded value of the current record, or a definition text
    bool infoIsNull = false;  // the decoded value is SQL NULL (not the text "NULL")
    uint8_t precision = 0;
    uint8_t scale = 0;
    int32_t physicalColumnId = 0;
    bool stored = false;
    int16_t leafOffset = 0;
    int16_t legacyRowOffset = 0;
    int32_t nullBit = -1;
    bool primaryKeyColumn = false;
    bool uniqueIndexColumn = false;
    bool thirdKeyFlag = false;
    bool foreignKeyColumn = false;
    bool rowGuidColumn = false;
    std::string referencedTable;
    std::string referencedColumn;
    std::string identityText;
    uint8_t keyOrdinal = 0;
    int32_t collationId = -1;
    // Kept from the catalog for the schema display and the export.
    uint8_t systemTypeId = 0;
    int32_t userTypeId = -1;
    bool descending = false;

    ColumnDescriptor() = default;
    // The only constructor the catalog uses: sets type code, variable flag
    // and length by the rules of the type code (codes above 34 become varchar).
    ColumnDescriptor(std::string typeText, std::string name, int32_t typeCode);
};

// The signed decimal number between the first "(" and the following ")".
int16_t lengthFromTypeText(const std::string& typeText);

}  // namespace pw
