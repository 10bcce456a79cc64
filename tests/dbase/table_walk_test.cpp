// Moves test only the records their view may show: a detail's key range, a
// filter's or a search's hits. Each case runs on a small and on a large
// table holding the same five records of teacher "MM"; the records tested
// (the engine's counter) must not grow with the table.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dbase/table_fixture.h"

namespace dbase_test {
namespace {

constexpr int kOwnRecords = 5;

struct WalkCase {
  const char* name;
  // Runs the moves on the detail table PROF ("MM" has kOwnRecords records)
  // linked or not to the master MAST (one record per teacher, tag ABREV).
  std::function<void(dbase::Table& detail, dbase::Table& master)> moves;
  int mostTested;
};

void PrintTo(const WalkCase& c, std::ostream* out) { *out << c.name; }

void walkAll(dbase::Table& t) {
  for (t.first(); !t.atEnd(); t.next()) {
  }
}

void walkBack(dbase::Table& t) {
  for (t.last(); !t.atEnd();) {
    const auto at = t.bookmark();
    t.prior();
    if (t.bookmark() == at) break;  // prior stays on the first record
  }
}

void link(dbase::Table& detail, dbase::Table& master) { detail.linkTo(master, "ABREV", "ABREV"); }

const WalkCase kCases[] = {
    {"DetailOfAMasterPastItsEnd",
     [](dbase::Table& detail, dbase::Table& master) {
       master.last();
       master.next();
       link(detail, master);
       walkAll(detail);
       walkBack(detail);
     },
     1},  // the master's own last record
    {"DetailWalkedBothWays",
     [](dbase::Table& detail, dbase::Table& master) {
       ASSERT_TRUE(master.findKey("MM"));
       link(detail, master);
       walkAll(detail);
       walkBack(detail);
     },
     4 * kOwnRecords},
    {"MasterWalkedWhileTheDetailWaits",
     [](dbase::Table& detail, dbase::Table& master) {
       ASSERT_TRUE(master.findKey("MM"));
       link(detail, master);
       for (int i = 0; i < 5; ++i) {
         master.next();
         master.prior();
       }
       // The detail finds its first record when it is read, not at every move.
       EXPECT_EQ(detail.integer("HORA"), 100);
     },
     13},  // one master record per move, and the detail's first record when linked and when read
    {"MasterWalkedPastItsEnd",
     [](dbase::Table& detail, dbase::Table& master) {
       ASSERT_TRUE(master.findKey("MM"));
       link(detail, master);
       master.last();
       master.next();  // past the end: the detail shows nothing at once
       detail.first();
     },
     2 * kOwnRecords},
    {"FilterInPhysicalOrder",
     [](dbase::Table& detail, dbase::Table&) {
       detail.setFilter(dbase::Filter{"ABREV", "MM"});
       walkAll(detail);
       walkBack(detail);
     },
     4 * kOwnRecords},
    {"FilterInAnotherTagsOrder",
     [](dbase::Table& detail, dbase::Table&) {
       detail.selectTag("HORA");
       detail.setFilter(dbase::Filter{"ABREV", "MM"});
       walkAll(detail);
       walkBack(detail);
     },
     4 * kOwnRecords},
    {"FindKeyAndWalkTheKey",
     [](dbase::Table& detail, dbase::Table&) {
       detail.selectTag("ABREV");
       ASSERT_TRUE(detail.findKey("MM"));
       while (!detail.atEnd() && detail.text("ABREV") == "MM") detail.next();
     },
     2 * kOwnRecords + 2},
    {"Locate",
     [](dbase::Table& detail, dbase::Table&) {
       detail.selectTag("HORA");
       ASSERT_TRUE(detail.locate("ABREV", {"MM"}));
       EXPECT_FALSE(detail.locate("ABREV", {"NN"}));
     },
     kOwnRecords + 1},
};

class TableWalkTest : public TableTest, public ::testing::WithParamInterface<WalkCase> {
 protected:
  // Records tested by the case's moves when the tables hold others teachers
  // besides MM, half before it and half after.
  std::uint64_t testedWith(int others) {
    const std::string suffix = std::to_string(others);
    dbase::Table detail = makeProf({});
    dbase::Table master =
        dbase::recreateTable(folder(), {"MAST", {dbase::characterField("ABREV", 10)}, {{"ABREV", "ABREV"}}});
    for (int i = 0; i < others; ++i) {
      const std::string abrev = (i % 2 == 0 ? "A" : "Z") + std::to_string(i);
      detail.appendRecord({abrev, i, std::string()});
      master.appendRecord({abrev});
      if (i == others / 2) {
        for (int k = 0; k < kOwnRecords; ++k)
          detail.appendRecord({std::string("MM"), 100 + k, std::string()});
        master.appendRecord({std::string("MM")});
      }
    }
    master.selectTag("ABREV");
    master.first();
    const std::uint64_t before = dbase::recordsTested();
    GetParam().moves(detail, master);
    return dbase::recordsTested() - before;
  }
};

TEST_P(TableWalkTest, TestsNoRecordOutsideTheViewWhateverTheTableSize) {
  const std::uint64_t small = testedWith(10);
  const std::uint64_t large = testedWith(2000);
  EXPECT_EQ(small, large);
  EXPECT_LE(large, static_cast<std::uint64_t>(GetParam().mostTested));
}

INSTANTIATE_TEST_SUITE_P(Views, TableWalkTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dbase_test
