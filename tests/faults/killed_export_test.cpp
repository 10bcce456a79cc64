// The export killed at random moments: every table left in the work folder
// is the whole table of the earlier export, the whole table of the new one,
// reported by check (a missing one too), or the table being re-created when
// the process died, partly filled; and the next export repairs everything.
#include <gmock/gmock.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "faults/fault_fixture.h"

extern char** environ;

namespace faults {
namespace {

namespace fs = std::filesystem;

// Runs the export of dae into work and kills it with SIGKILL after delay
// (or lets it end first); true when it was killed.
bool exportKilledAfter(const std::string& cli, const fs::path& dae, const fs::path& work,
                       std::chrono::microseconds delay) {
  const std::vector<std::string> args = {cli,          "export",        "--dae-folder",
                                         dae.string(), "--work-folder", work.string()};
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + cli);
  std::this_thread::sleep_for(delay);
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFSIGNALED(status);
}

TEST_F(FaultTest, ExportKilledAtRandomMomentsLeavesTablesWholeOrReportedAndIsRepaired) {
  // The earlier export from the small school, the new one from a school ten times larger.
  const fs::path old = folder("old");
  ASSERT_EQ(exportTo(old, daeFolder(1)).exitCode, 0);
  // The host's timetable too: the export must never touch it.
  ASSERT_EQ(test_support::runProcess(hostStubPath(), {"solve", "--work-folder", old.string()}).exitCode, 0);
  const auto oldTables = readTables(old);
  const fs::path fresh = folder("new");
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(exportTo(fresh, daeFolder(10)).exitCode, 0);
  const auto wholeRun =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
  const auto newTables = readTables(fresh);

  // A fixed sequence of delays within the first half of a whole run, so that
  // a machine busier while the run above was timed still has runs to kill;
  // rounds go on until five runs were killed or twenty were tried.
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  int killed = 0;
  for (int round = 0; round < 20 && killed < 5; ++round) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    const auto delay =
        std::chrono::microseconds((state >> 33) % static_cast<std::uint64_t>(wholeRun.count() / 2 + 1));
    SCOPED_TRACE("killed after " + std::to_string(delay.count()) + " us");
    const fs::path work = folder("work" + std::to_string(round));
    fs::copy(old, work);
    killed += exportKilledAfter(cliPath(), daeFolder(10), work, delay);

    for (const std::string& table : partialTables(work, oldTables, newTables)) {
      EXPECT_TRUE(newTables.count(table)) << table << " changed, though the export does not build it";
    }
    ASSERT_EQ(exportTo(work, daeFolder(10)).exitCode, 0);
    const auto repaired = readTables(work);
    for (const auto& [table, contents] : newTables) {
      EXPECT_EQ(repaired.at(table), contents) << table;
      EXPECT_EQ(tableProblems(work, table), "") << table;
    }
    EXPECT_EQ(repaired.at("SOLUC"), oldTables.at("SOLUC"));
  }
  EXPECT_GT(killed, 0) << "no run was killed before its end";
}

}  // namespace
}  // namespace faults
