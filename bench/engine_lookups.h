// The table engine on its own: a table of many rows built through handles,
// then every key looked up, by find key on a tag and by locate on two fields.
// Printed once per run, before the scales.
#pragma once

#include <filesystem>
#include <ostream>

namespace bench {

void runEngineLookups(std::ostream& out, const std::filesystem::path& folder, int rows);

}  // namespace bench
