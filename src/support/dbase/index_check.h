// Checks a table's production index against its records: every tag of the
// .MDX must hold exactly one entry per record, with the key the record's
// field gives, in (key, record number) order; and that no program was
// interrupted while changing the table. Used by `transorvaldae-cli check`
// and by the tests.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dbase {

// Problems found, one sentence each; empty when the index is consistent. A
// table or index that cannot be read at all throws support::Error.
std::vector<std::string> checkIndexes(const std::filesystem::path& folder, std::string_view table);

}  // namespace dbase
