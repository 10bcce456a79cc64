// Locks between programs: the host (played by host-stub hold) holding a table
// keeps the converter from opening it.
#include <gmock/gmock.h>

#include "dbase/table_fixture.h"
#include "support/error.h"
#include "toolkit/child_process.h"

namespace dbase_test {
namespace {

TEST_F(TableTest, TableHeldByAnotherProgramRefusesEveryOpenWithoutWaiting) {
  makeProf({{"A", 1, ""}}).close();
  test_support::BackgroundProcess host(test_support::builtExecutable("tools/host_stub/host-stub"),
                                       {"hold", "prof", "--work-folder", folder().string()});
  ASSERT_TRUE(host.waitForLine("holding"));
  for (const dbase::OpenOptions options : {dbase::OpenOptions{.exclusive = true}, dbase::OpenOptions{}}) {
    dbase::Table t(folder(), "PROF");
    try {
      t.open(options);
      ADD_FAILURE() << "opened a held table";
    } catch (const support::Error& e) {
      EXPECT_THAT(e.what(), ::testing::HasSubstr("PROF.DBF"));
      EXPECT_THAT(e.what(), ::testing::HasSubstr("en uso por otro programa"));
    }
  }
}

TEST_F(TableTest, SharedOpenInThisProcessKeepsAnotherProgramFromHoldingTheTable) {
  dbase::Table mine = makeProf({{"A", 1, ""}});
  const auto result = test_support::runProcess(test_support::builtExecutable("tools/host_stub/host-stub"),
                                               {"hold", "PROF", "--work-folder", folder().string()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_THAT(result.err, ::testing::HasSubstr("en uso por otro programa"));
}

}  // namespace
}  // namespace dbase_test
