// What the builder tests share: the workspace (an empty DAE folder and an
// empty work folder for each test), a session on it in Castilian, the
// recording dialogs (a builder asks no question), and one field of a work
// table read back.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "run/session.h"
#include "support/cp1252.h"
#include "toolkit/fixed_record.h"
#include "toolkit/recording_dialogs.h"
#include "toolkit/workspace.h"

namespace timetabler_tables {

using test_support::fixedRecord;
using test_support::Rows;

// Windows-1252 bytes of a UTF-8 literal, as DAE files and tables hold them.
inline std::string cp(const std::string& utf8) { return support::utf8ToCp1252(utf8); }

class BuilderTest : public ::testing::Test, protected test_support::Workspace {
 protected:
  BuilderTest() : session(Workspace::session()) {
    session.CodigoResultado = 1;
    session.language = "CASTELLANO";
  }

  // One field of every record, in physical order.
  std::vector<std::string> column(const std::string& table, const std::string& field) const {
    std::vector<std::string> values;
    for (const auto& row : read(table, {field})) values.push_back(row.front());
    return values;
  }

  std::filesystem::path workFile(const std::string& name) const { return workFolder() / name; }

  run::Session session;
  test_support::RecordingDialogs dialogs;
};

}  // namespace timetabler_tables
