// Helpers shared by the table engine's tests: a temporary work folder and
// small one-line ways to make, read and damage table files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/dbase/table.h"
#include "toolkit/files.h"
#include "toolkit/hex_bytes.h"
#include "toolkit/temp_folder.h"

namespace dbase_test {

using test_support::readBytes;
using test_support::writeBytes;

inline std::string hex(const std::string& pairs) { return test_support::hexBytes(pairs); }

class TableTest : public ::testing::Test {
 protected:
  const std::filesystem::path& folder() const { return temp_.path(); }

  // A table PROF with a character key, an integer and a text column, filled
  // with rows (ABREV, HORA, NOMBRE), and a tag on ABREV and on HORA.
  dbase::Table makeProf(const std::vector<std::tuple<std::string, int, std::string>>& rows) {
    dbase::Table t =
        dbase::recreateTable(folder(), {"PROF",
                                        {dbase::characterField("ABREV", 10), dbase::integerField("HORA"),
                                         dbase::characterField("NOMBRE", 20)},
                                        {{"ABREV", "ABREV"}, {"HORA", "HORA"}}});
    for (const auto& [abrev, hora, nombre] : rows) t.appendRecord({abrev, hora, nombre});
    return t;
  }

  // The ABREV values of t in its current order, from the first record.
  static std::vector<std::string> walk(dbase::Table& t, const std::string& field = "ABREV") {
    std::vector<std::string> values;
    for (t.first(); !t.atEnd(); t.next()) values.push_back(t.text(field));
    return values;
  }

 private:
  test_support::TempFolder temp_;
};

}  // namespace dbase_test
