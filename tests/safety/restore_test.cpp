// Restoring a safety copy on real folders: the kept files come back to the
// byte, the files the run created go, and nothing changes when the restore
// is refused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "safety/restore.h"
#include "safety/safety_copy.h"
#include "support/platform.h"
#include "toolkit/files.h"
#include "toolkit/temp_folder.h"

namespace safety {
namespace {

namespace fs = std::filesystem;
using test_support::folderFiles;
using test_support::readBytes;
using test_support::writeBytes;
using ::testing::HasSubstr;
using Files = std::map<std::string, std::string>;

class RestoreTest : public ::testing::Test {
 protected:
  RestoreTest() { writeFolders(); }

  // The work and DAE folders as they are before the run, afresh.
  void writeFolders() const {
    for (const fs::path& folder : {work, dae, copies}) fs::remove_all(folder);
    fs::create_directories(work);
    fs::create_directories(dae);
    writeBytes(work / "PROFT.DBF", "teachers before");
    writeBytes(work / "PROFT.MDX", "index before");
    writeBytes(work / "SOLUC.DBF", "the host's timetable");
    writeBytes(dae / "fCUADROS.txt", "file before");
  }

  // The copy a run makes before it changes the work folder.
  StoredCopy copyBeforeRun() const {
    return makeCopy(copies,
                    {"importar", work, dae, {"PROFT.DBF", "PROFT.MDX", "CUADROH2.DBF"}, {"fCUADROS.txt"}});
  }

  // What the run does: replaces the teachers, drops their index, creates
  // CUADROH2, writes a new fCUADROS.txt; the host changes its timetable.
  void run() const {
    writeBytes(work / "PROFT.DBF", "teachers after, longer");
    fs::remove(work / "PROFT.MDX");
    writeBytes(work / "CUADROH2.DBF", "sessions");
    writeBytes(dae / "fCUADROS.txt", "file after");
    writeBytes(work / "SOLUC.DBF", "the host's new timetable");
  }

  std::size_t copyCount() const { return copiesOf(copies, work).size(); }

  test_support::TempFolder root;
  fs::path work = root.path() / "work";
  fs::path dae = root.path() / "dae";
  fs::path copies = root.path() / "copias";
};

TEST_F(RestoreTest, PutsBackTheKeptFilesAndRemovesTheOnesTheRunCreated) {
  const StoredCopy copy = copyBeforeRun();
  run();
  const RestoreResult result = restoreCopy(copies, copy);
  EXPECT_EQ(result.refusal, "");
  // SOLUC is not the run's: it keeps what the host wrote since.
  EXPECT_EQ(folderFiles(work), (Files{{"PROFT.DBF", "teachers before"},
                                      {"PROFT.MDX", "index before"},
                                      {"SOLUC.DBF", "the host's new timetable"}}));
  EXPECT_EQ(folderFiles(dae), (Files{{"fCUADROS.txt", "file before"}}));
  EXPECT_EQ(result.restored.size(), 3u);
  EXPECT_EQ(result.removed, std::vector<std::string>{(work / "CUADROH2.DBF").string()});
}

TEST_F(RestoreTest, ARestoreCanItselfBeUndone) {
  const StoredCopy copy = copyBeforeRun();
  run();
  const Files afterRun = folderFiles(work);
  const RestoreResult result = restoreCopy(copies, copy);
  ASSERT_EQ(result.refusal, "");
  EXPECT_EQ(copiesOf(copies, work).front().name, result.ownCopy.name);
  EXPECT_EQ(result.ownCopy.manifest.operation, "restaurar");

  ASSERT_EQ(restoreCopy(copies, result.ownCopy).refusal, "");
  EXPECT_EQ(folderFiles(work), afterRun);
  EXPECT_EQ(readBytes(dae / "fCUADROS.txt"), "file after");
}

TEST_F(RestoreTest, ACaseVariantTheRunLeftIsRemoved) {
  const StoredCopy copy = copyBeforeRun();
  fs::remove(work / "PROFT.DBF");
  writeBytes(work / "proft.dbf", "teachers under another spelling");
  ASSERT_EQ(restoreCopy(copies, copy).refusal, "");
  const Files files = folderFiles(work);
  ASSERT_EQ(files.size(), 3u);  // one teachers table, whatever the file system does with case
  EXPECT_EQ(readBytes(work / "PROFT.DBF"), "teachers before");
}

TEST_F(RestoreTest, NothingChangesWhenTheRestoreIsRefused) {
  struct Case {
    const char* name;
    std::function<void(const StoredCopy& copy)> spoil;
    const char* refusal;
  };
  std::optional<support::LockedFile> held;
  const auto hold = [&](support::LockedFile::Lock lock) {
    return [&, lock](const StoredCopy&) {
      held = support::LockedFile::openLocked(work / "PROFT.DBF", lock);
      ASSERT_TRUE(held);
    };
  };
  // On Windows a table held for itself cannot even be opened; the refusal says the same.
  const std::string inUse = (work / "PROFT.DBF").string() + " está en uso por otro programa";
  const Case cases[] = {
      {"a table held by another program", hold(support::LockedFile::Lock::Shared), inUse.c_str()},
      {"a table held by another program for itself", hold(support::LockedFile::Lock::Exclusive),
       inUse.c_str()},
      {"a kept file missing from the copy",
       [](const StoredCopy& copy) { fs::remove(copy.folder / "trabajo" / "PROFT.MDX"); }, "no está entera"},
      {"a kept file changed in the copy",
       [](const StoredCopy& copy) { writeBytes(copy.folder / "trabajo" / "PROFT.DBF", "x"); },
       "no está entera"},
      {"the DAE folder gone", [&](const StoredCopy&) { fs::remove_all(dae); }, "No existe la carpeta"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeFolders();
    const StoredCopy copy = copyBeforeRun();
    run();
    const Files work_ = folderFiles(work);
    c.spoil(copy);
    const bool daeThere = fs::exists(dae);
    const RestoreResult result = restoreCopy(copies, copy);
    held.reset();  // before reading the folder: on Windows a held file cannot be read
    EXPECT_THAT(result.refusal, HasSubstr(c.refusal));
    EXPECT_THAT(result.refusal, HasSubstr("No se ha restaurado nada."));
    EXPECT_EQ(folderFiles(work), work_);
    if (daeThere) {
      EXPECT_EQ(readBytes(dae / "fCUADROS.txt"), "file after");
    }
    EXPECT_EQ(copyCount(), 1u);  // no copy of its own either
  }
}

}  // namespace
}  // namespace safety
