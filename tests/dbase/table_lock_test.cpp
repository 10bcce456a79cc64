// Locks between programs: the host (played by host-stub hold) holding a table
// keeps the converter from opening it.
#include <gmock/gmock.h>

#include <optional>

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

// Another program holding the table with its own options; its exit status
// and what it said when it could not.
test_support::ProcessResult holdElsewhere(const std::filesystem::path& folder, bool shared) {
  std::vector<std::string> args = {"hold", "PROF", "--work-folder", folder.string()};
  if (shared) args.push_back("--shared");
  return test_support::runProcess(test_support::builtExecutable("tools/host_stub/host-stub"), args);
}

// An exclusive open while this process shares the table with another
// program is refused, and the refusal keeps this process's shared lock: the
// other handles go on working on a table nobody else may take.
TEST_F(TableTest, RefusedExclusiveOpenKeepsTheSharedLockOfTheOtherHandles) {
  makeProf({{"A", 1, ""}}).close();
  dbase::Table mine(folder(), "PROF");
  dbase::Table upgrade(folder(), "PROF");
  {
    test_support::BackgroundProcess reader(test_support::builtExecutable("tools/host_stub/host-stub"),
                                           {"hold", "PROF", "--shared", "--work-folder", folder().string()});
    ASSERT_TRUE(reader.waitForLine("holding"));
    mine.open();
    try {
      upgrade.open({.exclusive = true});
      ADD_FAILURE() << "opened for exclusive use a table another program reads";
    } catch (const support::Error& e) {
      EXPECT_THAT(e.what(), ::testing::HasSubstr("en uso por otro programa"));
    }
  }  // the reader ends

  const auto taken = holdElsewhere(folder(), false);
  EXPECT_EQ(taken.exitCode, 1) << "another program took the table this process still shares";
  EXPECT_THAT(taken.err, ::testing::HasSubstr("en uso por otro programa"));
  mine.edit();
  mine.setText("NOMBRE", "sigue");
  mine.post();

  upgrade.open({.exclusive = true});  // nobody else has it now
  const auto shared = holdElsewhere(folder(), true);
  EXPECT_EQ(shared.exitCode, 1) << "another program opened a table held for exclusive use";
  EXPECT_EQ(mine.text("NOMBRE"), "sigue");
}

}  // namespace
}  // namespace dbase_test
