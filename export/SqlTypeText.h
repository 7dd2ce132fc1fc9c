#pragma once
// The T-SQL declaration of a recovered column's type: "nvarchar(40)",
// "decimal(10,2)", "varbinary(max)", "datetime2(7)", "int".

#include <string>

#include "catalog/ColumnDescriptor.h"
#include "catalog/SqlName.h"

namespace pw {

// The type name of the column (from its type text, or its system type id
// when the type text carries no name).
std::string sqlTypeName(const ColumnDescriptor& column);

// The full declaration. With `keepMaxLength` false, max-typed columns are
// written as the largest fixed length (varchar(8000), nvarchar(4000),
// varbinary(8000)); with it true, as "(max)".
std::string sqlTypeDeclaration(const ColumnDescriptor& column, bool keepMaxLength = true);

}  // namespace pw
