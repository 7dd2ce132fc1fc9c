#pragma once
// The secondary data files (.ndf) of a database. They are looked for only
// in the primary file's directory: under the names the data file table
// lists (each listed file id above 1 names directory + base name + ".ndf",
// whatever directory and extension the catalog recorded), or, when that
// table gave no rows, as every "*.ndf" file there (in name order). Each
// file found is opened read-only, registered with the DatabaseFile under its
// file number and scanned once, its pages joining the page maps behind the
// primary file's pages.

#include <string>
#include <vector>

#include "catalog/rows/DataFileRow.h"
#include "storage/DatabaseFile.h"

namespace pw {

// Runs once per load, right after the data file rows are read. Updates the
// rows (physical name, size, page count, origin) and, after a directory
// search, fills `dataFiles` with the files that were registered.
void resolveSecondaryFiles(DatabaseFile& file, std::vector<DataFileRow>& dataFiles);

// The directory part of a primary file path, up to and including its last
// separator ('\\' or '/'); empty when there is none. Doubled backslashes
// count as one.
std::string directoryOfPath(const std::string& path);

// The file name of a catalog's physical name without its directory and
// without its last extension ("C:\\Data\\sales_2.ndf" -> "sales_2").
std::string baseNameOfPhysicalName(const std::string& physicalName);

}  // namespace pw
