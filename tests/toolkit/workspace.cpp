#include "toolkit/workspace.h"

#include "support/cp1252.h"
#include "toolkit/files.h"

namespace test_support {
namespace fs = std::filesystem;

Workspace::Workspace()
    : dae_(root_.path() / "dae"), work_(root_.path() / "work"), copies_(root_.path() / "copias") {
  fs::create_directories(dae_);
  fs::create_directories(work_);
}

run::Session Workspace::session() const {
  run::Session session;
  session.CarpetaDAE = (dae_ / "").string();
  session.workFolder = work_;
  session.copiesFolder = copies_;
  return session;
}

void Workspace::writeDaeFile(const std::string& name, const std::string& bytes) const {
  writeBytes(dae_ / name, bytes);
}

void Workspace::removeDaeFile(const std::string& name) const { fs::remove(dae_ / name); }

bool Workspace::workFileExists(const std::string& name) const { return fs::exists(work_ / name); }

void Workspace::makeTable(const dbase::TableDef& def, const Rows& rows) const {
  dbase::Table table = dbase::recreateTable(work_, def);
  for (const auto& row : rows) table.appendRecord(std::vector<dbase::Value>(row.begin(), row.end()));
}

Rows Workspace::read(const std::string& table, const std::vector<std::string>& fields) const {
  dbase::Table records(work_, table);
  records.open({.readOnly = true});
  Rows rows;
  for (records.first(); !records.atEnd(); records.next()) {
    std::vector<std::string> row;
    for (const std::string& field : fields) row.push_back(records.text(field));
    rows.push_back(std::move(row));
  }
  return rows;
}

Rows Workspace::readUtf8(const std::string& table, const std::vector<std::string>& fields) const {
  Rows rows = read(table, fields);
  for (auto& row : rows) {
    for (std::string& value : row) value = support::cp1252ToUtf8(value);
  }
  return rows;
}

}  // namespace test_support
