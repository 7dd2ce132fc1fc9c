#pragma once
// The object definition table read into definition rows: sysobjvalues
// (object id 60) in the 2005 format, syscomments (object id 6) in SQL
// Server 2000 files. The table is read twice per run: at load time into the
// load-time list, which gives the texts of computed columns, and at the
// first definition request into the display list. Both lists live until
// clear() (the next Open).

#include <string>
#include <vector>

#include "catalog/ColumnDescriptor.h"
#include "catalog/DefinitionRow.h"

namespace pw {

class Database;
class DatabaseFile;
struct RunContext;

namespace definitionText {
constexpr const char* kRetrieving = "Retrieving Objects of Sysobjvalues System Tables...........";
constexpr const char* kRetrievingDone =
    "Retrieving  Objects of Sysobjvalues System Tables has been done...........";
}  // namespace definitionText

// The fixed six-column layout of sysobjvalues, which the catalog does not
// describe: valclass, objid, subobjid, valnum, value, imageval.
std::vector<ColumnDescriptor> objectValuesLayout();

class DefinitionReader {
public:
    DefinitionReader(Database& database, const DatabaseFile& file, const RunContext& context);

    // Load-time read (after the catalog is loaded): fills the load-time list.
    void readLoadTimeDefinitions();
    const std::vector<DefinitionRow>& loadTimeRows() const { return loadTimeRows_; }

    // The definition text of the object whose id text is `objectIdText`;
    // reads the display list on the first request (and again while it
    // stays empty). Empty when the object has no definition rows.
    std::string definitionText(const std::string& objectIdText);
    const std::vector<DefinitionRow>& displayRows() const { return displayRows_; }

    // Empties both lists and the display list's "loaded" flag.
    void clear();

private:
    std::vector<DefinitionRow> readTable();

    Database& database_;
    const DatabaseFile& file_;
    const RunContext& context_;
    std::vector<DefinitionRow> loadTimeRows_;
    std::vector<DefinitionRow> displayRows_;
    bool displayLoaded_ = false;
};

}  // namespace pw
