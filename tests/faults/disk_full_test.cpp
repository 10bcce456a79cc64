// The disk fills up while the timetable file or a table is written: the run
// stops with a message naming the file and the problem, the earlier timetable
// file stays whole, every table is as it was, new and whole, reported by
// check or (one the export re-creates) partly filled, and an export with room
// again repairs everything.
#include <gmock/gmock.h>

#include "faults/fault_fixture.h"

namespace faults {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

constexpr const char* kNeedsRoot = "needs root to mount a small memory file system";

TEST_F(FaultTest, FullDiskWhileWritingTheTimetableFileKeepsTheOldOne) {
  SmallDisk out(root() / "out", "64k");
  if (!out.mounted()) GTEST_SKIP() << kNeedsRoot;
  const fs::path work = folder("work");
  ASSERT_EQ(exportTo(work, daeFolder()).exitCode, 0);
  const std::string old = "1CH0149872025\r\n";
  writeBytes(out.folder() / "fCUADROS.txt", old);

  // The import reads no DAE file: the small disk only takes its output.
  const auto imported = solveAndImport(work, out.folder());
  EXPECT_EQ(imported.exitCode, 1) << imported.out;
  EXPECT_THAT(imported.err, HasSubstr((out.folder() / "fCUADROS.txt").string()));
  EXPECT_EQ(readBytes(out.folder() / "fCUADROS.txt"), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(out.folder()), fs::directory_iterator()),
            1);  // no temporary file
}

TEST_F(FaultTest, FullDiskWhileWritingTablesLeavesEveryTableWholeOrReported) {
  // The earlier export from the small school fits; the new one, from a
  // school ten times larger, runs out of room at some table.
  SmallDisk work(root() / "work", "16m");
  if (!work.mounted()) GTEST_SKIP() << kNeedsRoot;
  const fs::path fresh = folder("fresh");
  ASSERT_EQ(exportTo(fresh, daeFolder(10)).exitCode, 0);
  const auto after = readTables(fresh);

  for (const std::uintmax_t room :
       {std::uintmax_t{16} << 10, std::uintmax_t{128} << 10, std::uintmax_t{512} << 10}) {
    SCOPED_TRACE("room " + std::to_string(room));
    ASSERT_EQ(exportTo(work.folder(), daeFolder(1)).exitCode, 0);
    const auto before = readTables(work.folder());
    work.fillLeaving(room);
    const auto exported = exportTo(work.folder(), daeFolder(10));
    EXPECT_EQ(exported.exitCode, 1) << exported.out;
    EXPECT_THAT(exported.err, HasSubstr(work.folder().string()));
    for (const std::string& table : partialTables(work.folder(), before, after)) {
      EXPECT_TRUE(after.count(table)) << table << " changed, though the export does not build it";
    }
    work.removeFiller();
  }
  ASSERT_EQ(exportTo(work.folder(), daeFolder(10)).exitCode, 0);
  EXPECT_EQ(readTables(work.folder()), after);
}

TEST_F(FaultTest, FullDiskWhileTheImportWritesTheWorkTablesLeavesThemWholeOrReported) {
  // The work tables are written a run of records at a time: the disk fills
  // up during those writes, for a school ten times larger than the sample.
  SmallDisk work(root() / "work", "24m");
  if (!work.mounted()) GTEST_SKIP() << kNeedsRoot;
  const fs::path fresh = folder("fresh");
  ASSERT_EQ(exportTo(fresh, daeFolder(10)).exitCode, 0);
  ASSERT_EQ(solveAndImport(fresh, folder("fresh-out")).exitCode, 0);
  const auto whole = readTables(fresh);
  const std::string timetable = readBytes(root() / "fresh-out" / "fCUADROS.txt");

  const fs::path out = folder("out");
  const auto import = [&] {
    return cli({"import", "--dae-folder", out.string(), "--work-folder", work.folder().string()});
  };
  for (const std::uintmax_t room :
       {std::uintmax_t{64} << 10, std::uintmax_t{1} << 20, std::uintmax_t{5} << 20}) {
    SCOPED_TRACE("room " + std::to_string(room));
    ASSERT_EQ(exportTo(work.folder(), daeFolder(10)).exitCode, 0);
    ASSERT_EQ(
        test_support::runProcess(hostStubPath(), {"solve", "--work-folder", work.folder().string()}).exitCode,
        0);
    const auto before = readTables(work.folder());
    work.fillLeaving(room);
    const auto imported = import();
    EXPECT_EQ(imported.exitCode, 1) << imported.out;
    EXPECT_THAT(imported.err, HasSubstr(work.folder().string()));
    EXPECT_THAT(partialTables(work.folder(), before, whole), ::testing::ElementsAre());
    work.removeFiller();
  }
  ASSERT_EQ(import().exitCode, 0);
  EXPECT_EQ(readTables(work.folder()), whole);
  EXPECT_EQ(readBytes(out / "fCUADROS.txt"), timetable);
}

}  // namespace
}  // namespace faults
