// Removing a work table's .DBF file alone, where a step drops an earlier
// run's table without re-creating it (the days-and-hours and teaching
// assignments tables at the start of an export, the remembered level short
// names when the user declines them).
#pragma once

#include <filesystem>
#include <string_view>

namespace dae_import {

// Deletes every case variant of tableName.DBF in folder. A failed deletion is
// not reported: the table is re-created later anyway, and a missing one is
// the wanted result.
void deleteTableFile(const std::filesystem::path& folder, std::string_view tableName);

}  // namespace dae_import
