// The one workspace of the tests: a DAE folder and an empty work folder under
// the system's temporary folder (removed afterwards), a copies folder for
// the safety copies beside them (the run log in their common parent), a
// session on them, and DAE files and work tables written and read back in
// one line each.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "run/session.h"
#include "support/dbase/table.h"
#include "toolkit/temp_folder.h"

namespace test_support {

using Rows = std::vector<std::vector<std::string>>;

class Workspace {
 public:
  Workspace();

  const std::filesystem::path& daeFolder() const { return dae_; }
  const std::filesystem::path& workFolder() const { return work_; }
  // Not created until a run makes a copy.
  const std::filesystem::path& copiesFolder() const { return copies_; }
  // A standalone session on these folders: CarpetaDAE is the DAE folder
  // followed by a separator.
  run::Session session() const;

  // Writes bytes as the DAE file name (replacing it).
  void writeDaeFile(const std::string& name, const std::string& bytes) const;
  void removeDaeFile(const std::string& name) const;
  bool workFileExists(const std::string& name) const;

  // Re-creates a work table and appends one record per row (values to the
  // leading fields in order).
  void makeTable(const dbase::TableDef& def, const Rows& rows) const;
  // The given fields of every record of a work table in physical order
  // (deleted ones skipped), as stored (Windows-1252).
  Rows read(const std::string& table, const std::vector<std::string>& fields) const;
  // The same as UTF-8 text.
  Rows readUtf8(const std::string& table, const std::vector<std::string>& fields) const;

 private:
  TempFolder root_;
  std::filesystem::path dae_;
  std::filesystem::path work_;
  std::filesystem::path copies_;
};

}  // namespace test_support
