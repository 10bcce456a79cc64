#include "dae_import/table_files.h"

#include <string>
#include <system_error>

#include "support/file_system.h"

namespace dae_import {

void deleteTableFile(const std::filesystem::path& folder, std::string_view tableName) {
  for (const std::filesystem::path& file : support::findAllNoCase(folder, std::string(tableName) + ".DBF")) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
  }
}

}  // namespace dae_import
