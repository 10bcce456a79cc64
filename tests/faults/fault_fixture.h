// What the fault tests share: a temporary area with a generated DAE folder
// and work folders, the command-line processes run on them, and the state
// of every table left in a work folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/child_process.h"
#include "toolkit/environment.h"
#include "toolkit/files.h"
#include "toolkit/temp_folder.h"

namespace faults {

// A table as the engine reads it: every record, each as its fields' texts
// joined by '|'; or the error that opening it gave.
struct TableContents {
  std::vector<std::string> records;
  std::optional<std::string> error;

  bool operator==(const TableContents&) const = default;
};

// Every table (.DBF) of a folder by its name in upper case.
std::map<std::string, TableContents> readTables(const std::filesystem::path& folder);

// The tables of folder that are neither before's, nor whole's, nor reported
// by check. A table that a run was re-creating when it stopped holds the part
// of the new data written so far, and the engine cannot tell it from a whole
// table, since tables are re-created in place; only such tables may be listed.
std::vector<std::string> partialTables(const std::filesystem::path& folder,
                                       const std::map<std::string, TableContents>& before,
                                       const std::map<std::string, TableContents>& whole);

// What `transorvaldae-cli check` finds wrong with a table: "" when it opens
// and its index matches its records, else the problems or the error.
std::string tableProblems(const std::filesystem::path& folder, const std::string& table);

// A small memory file system mounted on a new folder, unmounted at the end.
// mounted() is false when mounting is not possible (not root, no tmpfs); the
// folder is then a plain one.
class SmallDisk {
 public:
  SmallDisk(const std::filesystem::path& folder, const std::string& size);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  const std::filesystem::path& folder() const { return folder_; }
  // Makes the folder read-only in the way that binds the user running the
  // test: remounted read-only (root passes over permissions), else without
  // write permission. False when neither is possible.
  bool makeReadOnly();
  // Fills the free space up to about bytesLeft with a file of its own.
  void fillLeaving(std::uintmax_t bytesLeft);
  void removeFiller();

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
};

class FaultTest : public ::testing::Test {
 protected:
  const std::filesystem::path& root() const { return temp_.path(); }
  // The DAE folder made by make-sample --scale scale (made on first use).
  std::filesystem::path daeFolder(int scale = 1);
  // A new empty folder under the temporary area.
  std::filesystem::path folder(const std::string& name);

  test_support::ProcessResult cli(const std::vector<std::string>& args);
  test_support::ProcessResult exportTo(const std::filesystem::path& work, const std::filesystem::path& dae,
                                       const std::vector<std::string>& options = {});
  // host-stub solve, then the import (tables rebuilt).
  test_support::ProcessResult solveAndImport(const std::filesystem::path& work,
                                             const std::filesystem::path& dae);
  test_support::ProcessResult check(const std::filesystem::path& work, const std::string& table);
  static std::string cliPath();
  static std::string hostStubPath();

 private:
  test_support::TempFolder temp_;
  // The runs' safety copies and log stay in the temporary area.
  test_support::ScopedEnvironment copies_{"TRANSORVALDAE_BACKUP_FOLDER", (temp_.path() / "copias").string()};
};

using test_support::readBytes;
using test_support::writeBytes;

}  // namespace faults
