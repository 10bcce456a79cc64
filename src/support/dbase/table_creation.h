// Writing a new, empty table: its .DBF and, when it has tags, its .MDX,
// after removing every case variant of the old files. A table that another
// program holds open is not re-created.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/dbase/field.h"

namespace dbase {

// Creates folder/name.DBF (and name.MDX) from the definitions. Throws
// support::Error naming the table when a definition cannot be stored, the
// table is open in this process or held by another program, or a file
// cannot be written.
void createTable(const std::filesystem::path& folder, const std::string& name,
                 const std::vector<FieldDef>& fields, const std::vector<TagDef>& tags);

}  // namespace dbase
