// The copies folder cannot take a run's safety copy (read-only, or full):
// the run stops before it changes anything, with a message naming the
// folder, and no half-made copy is left behind.
#include <gmock/gmock.h>

#include "faults/fault_fixture.h"
#include "toolkit/text_lines.h"

namespace faults {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using Files = std::map<std::string, std::string>;

class CopiesFaultTest : public FaultTest {
 protected:
  // The export of dae, then the host's timetable, in work.
  void prepare(const fs::path& work, const fs::path& dae) {
    ASSERT_EQ(exportTo(work, dae).exitCode, 0);
    ASSERT_EQ(test_support::runProcess(hostStubPath(), {"solve", "--work-folder", work.string()}).exitCode,
              0);
  }

  // Runs direction with copies as the copies folder and checks that it
  // stopped naming copies, with work and dae as they were.
  void expectStoppedUnchanged(const std::string& direction, const fs::path& work, const fs::path& dae,
                              const fs::path& copies) {
    const Files workBefore = test_support::folderFiles(work);
    const Files daeBefore = test_support::folderFiles(dae);
    test_support::ProcessResult run;
    {
      test_support::ScopedEnvironment blocked("TRANSORVALDAE_BACKUP_FOLDER", copies.string());
      run = cli({direction, "--dae-folder", dae.string(), "--work-folder", work.string()});
    }
    EXPECT_EQ(run.exitCode, 1) << run.out;
    EXPECT_THAT(run.err, HasSubstr("No se puede hacer la copia de seguridad en " + copies.string()));
    EXPECT_THAT(run.err, HasSubstr("No se ha cambiado nada."));
    EXPECT_EQ(test_support::lines(run.out), std::vector<std::string>{"CodigoResultado=0"});
    EXPECT_EQ(test_support::folderFiles(work), workBefore);
    EXPECT_EQ(test_support::folderFiles(dae), daeBefore);
  }
};

TEST_F(CopiesFaultTest, ReadOnlyCopiesFolderStopsEitherRunWithNothingChanged) {
  SmallDisk copies(root() / "copies-read-only", "1m");
  if (!copies.makeReadOnly()) GTEST_SKIP() << "cannot make a folder read-only for this user";
  const fs::path work = folder("work");
  const fs::path dae = folder("dae");
  fs::copy(daeFolder(), dae);
  prepare(work, dae);
  for (const char* direction : {"export", "import"}) {
    SCOPED_TRACE(direction);
    expectStoppedUnchanged(direction, work, dae, copies.folder());
  }
}

TEST_F(CopiesFaultTest, FullCopiesDiskStopsTheRunAndLeavesNoPartialCopy) {
  SmallDisk copies(root() / "copies-full", "256k");
  if (!copies.mounted()) GTEST_SKIP() << "needs root to mount a small memory file system";
  const fs::path work = folder("work");
  prepare(work, daeFolder(10));  // tables of some megabytes
  expectStoppedUnchanged("export", work, daeFolder(10), copies.folder() / "copias");
  EXPECT_TRUE(fs::is_empty(copies.folder() / "copias"));
}

}  // namespace
}  // namespace faults
