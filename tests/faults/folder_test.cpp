// Folders the converter cannot write to, or that are missing: the run ends
// with a message naming the file and the problem, and no table or file that
// was there before is lost or left half written.
#include <gmock/gmock.h>

#include "faults/fault_fixture.h"
#include "toolkit/files.h"

namespace faults {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

TEST_F(FaultTest, ReadOnlyWorkFolderStopsBothDirectionsAndKeepsEveryTable) {
  SmallDisk work(root() / "work", "8m");
  ASSERT_EQ(exportTo(work.folder(), daeFolder()).exitCode, 0);
  ASSERT_EQ(
      test_support::runProcess(hostStubPath(), {"solve", "--work-folder", work.folder().string()}).exitCode,
      0);
  const auto before = readTables(work.folder());
  if (!work.makeReadOnly()) GTEST_SKIP() << "cannot make a folder read-only for root without mounting";

  const auto exported = exportTo(work.folder(), daeFolder());
  EXPECT_EQ(exported.exitCode, 1) << exported.out;
  EXPECT_THAT(exported.err, HasSubstr((work.folder() / "daeTIPTAR").string()));
  EXPECT_THAT(exported.out, HasSubstr("CodigoResultado="));

  const auto imported =
      cli({"import", "--dae-folder", daeFolder().string(), "--work-folder", work.folder().string()});
  EXPECT_EQ(imported.exitCode, 1) << imported.out;
  EXPECT_THAT(imported.err, HasSubstr((work.folder() / "PLANTILLA").string()));
  EXPECT_FALSE(fs::exists(daeFolder() / "fCUADROS.txt"));

  EXPECT_EQ(readTables(work.folder()), before);
}

TEST_F(FaultTest, MissingDaeFolderIsReportedByBothDirections) {
  const fs::path work = folder("work");
  const fs::path missing = root() / "no-such-folder";
  for (const char* direction : {"export", "import"}) {
    SCOPED_TRACE(direction);
    const auto run = cli({direction, "--dae-folder", missing.string(), "--work-folder", work.string()});
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_THAT(run.out, HasSubstr("No existe la carpeta"));
    EXPECT_TRUE(fs::is_empty(work));
  }
}

TEST_F(FaultTest, ReadOnlyDaeFolderKeepsTheOldTimetableFileWhole) {
  const fs::path work = folder("work");
  SmallDisk dae(root() / "dae-out", "4m");
  test_support::copyFiles(daeFolder(), dae.folder());
  const std::string old = "1CH0149872025\r\n";
  writeBytes(dae.folder() / "fCUADROS.txt", old);
  ASSERT_EQ(exportTo(work, dae.folder()).exitCode, 0);
  const auto files = std::distance(fs::directory_iterator(dae.folder()), fs::directory_iterator());
  if (!dae.makeReadOnly()) GTEST_SKIP() << "cannot make a folder read-only for root without mounting";

  const auto imported = solveAndImport(work, dae.folder());
  EXPECT_EQ(imported.exitCode, 1) << imported.out;
  EXPECT_THAT(imported.err, HasSubstr((dae.folder() / "fCUADROS.txt").string()));
  EXPECT_EQ(readBytes(dae.folder() / "fCUADROS.txt"), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dae.folder()), fs::directory_iterator()),
            files);  // nothing left over
}

}  // namespace
}  // namespace faults
