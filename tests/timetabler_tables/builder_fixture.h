// What the builder tests share: an empty DAE folder and an empty work folder
// for each test, a session pointing at them, dialogs that record every
// message, and one-line helpers to write DAE files, fixed-width records and
// work tables, and to read a table back field by field.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "converter/dialogs.h"
#include "converter/session.h"
#include "support/cp1252.h"
#include "support/dbase/table.h"
#include "support/temp_folder.h"

namespace timetabler_tables {

class RecordingDialogs : public converter::Dialogs {
 public:
  void message(const std::string& text) override { messages.push_back(text); }
  bool askYesNo(const std::string& text) override {
    ADD_FAILURE() << "unexpected question: " << text;
    return false;
  }
  bool askOkCancel(const std::string& caption, const std::string& text) override {
    ADD_FAILURE() << "unexpected question: " << caption << " " << text;
    return false;
  }

  std::vector<std::string> messages;
};

// Windows-1252 bytes of a UTF-8 literal, as DAE files and tables hold them.
inline std::string cp(const std::string& utf8) { return support::utf8ToCp1252(utf8); }

// A record of length blanks with each text placed at its 1-based position.
inline std::string fixedRecord(int length, const std::vector<std::pair<int, std::string>>& fields) {
  std::string record(static_cast<std::size_t>(length), ' ');
  for (const auto& [start, text] : fields)
    record.replace(static_cast<std::size_t>(start - 1), text.size(), text);
  record.resize(static_cast<std::size_t>(length), ' ');
  return record;
}

using Rows = std::vector<std::vector<std::string>>;

class BuilderTest : public ::testing::Test {
 protected:
  BuilderTest() {
    session.CarpetaDAE = (dae_.path() / "").string();
    session.workFolder = work_.path();
    session.CodigoResultado = 1;
    session.language = "CASTELLANO";
  }

  void writeDaeFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(dae_.path() / name, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  void removeDaeFile(const std::string& name) const { std::filesystem::remove(dae_.path() / name); }

  // Creates a work table and appends one record per row (values to the
  // leading fields in order).
  void makeTable(const dbase::TableDef& def, const Rows& rows) const {
    dbase::Table table = dbase::recreateTable(work_.path(), def);
    for (const auto& row : rows) table.appendRecord(std::vector<dbase::Value>(row.begin(), row.end()));
  }

  // The values of the given fields, one row per record in physical order.
  Rows readTable(const std::string& name, const std::vector<std::string>& fields) const {
    dbase::Table table(work_.path(), name);
    table.open({.readOnly = true});
    Rows rows;
    for (table.first(); !table.atEnd(); table.next()) {
      std::vector<std::string> row;
      for (const std::string& field : fields) row.push_back(table.text(field));
      rows.push_back(std::move(row));
    }
    return rows;
  }

  // One field of every record, in physical order.
  std::vector<std::string> column(const std::string& table, const std::string& field) const {
    std::vector<std::string> values;
    for (const auto& row : readTable(table, {field})) values.push_back(row.front());
    return values;
  }

  std::filesystem::path workFile(const std::string& name) const { return work_.path() / name; }

  support::TempFolder dae_;
  support::TempFolder work_;
  converter::Session session;
  RecordingDialogs dialogs;
};

}  // namespace timetabler_tables
