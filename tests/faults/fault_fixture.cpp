#include "faults/fault_fixture.h"

#include <sys/mount.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "support/dbase/index_check.h"
#include "support/dbase/table.h"
#include "support/error.h"

namespace faults {
namespace fs = std::filesystem;

std::map<std::string, TableContents> readTables(const fs::path& folder) {
  std::map<std::string, TableContents> tables;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    std::string name = entry.path().stem().string();
    std::string extension = entry.path().extension().string();
    for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (extension != ".DBF") continue;
    TableContents contents;
    try {
      dbase::Table table(folder, name);
      table.open({.readOnly = true});
      for (table.first(); !table.atEnd(); table.next()) {
        std::string record;
        for (const dbase::FieldDef& field : table.fields()) record += table.text(field.name) + "|";
        contents.records.push_back(std::move(record));
      }
    } catch (const support::Error& error) {
      contents.error = error.what();
    }
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    tables[name] = std::move(contents);
  }
  return tables;
}

std::string tableProblems(const fs::path& folder, const std::string& table) {
  try {
    dbase::Table(folder, table).open({.readOnly = true});
    std::string problems;
    for (const std::string& problem : dbase::checkIndexes(folder, table)) problems += problem + "\n";
    return problems;
  } catch (const support::Error& error) {
    return error.what();
  }
}

std::vector<std::string> partialTables(const fs::path& folder,
                                       const std::map<std::string, TableContents>& before,
                                       const std::map<std::string, TableContents>& whole) {
  std::vector<std::string> partial;
  for (const auto& [table, contents] : readTables(folder)) {
    const bool old = before.count(table) && before.at(table) == contents;
    const bool isNew = whole.count(table) && whole.at(table) == contents;
    const bool reported = contents.error || !tableProblems(folder, table).empty();
    if (!old && !isNew && !reported) partial.push_back(table);
  }
  return partial;
}

SmallDisk::SmallDisk(const fs::path& folder, const std::string& size) : folder_(folder) {
  fs::create_directories(folder_);
  const std::string options = "size=" + size;
  mounted_ = ::geteuid() == 0 && ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

SmallDisk::~SmallDisk() {
  if (mounted_) {
    ::umount2(folder_.c_str(), MNT_DETACH);
  } else {
    std::error_code ec;  // so that the temporary area can be removed
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ec);
  }
}

bool SmallDisk::makeReadOnly() {
  if (mounted_) return ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  if (::geteuid() == 0) return false;
  fs::permissions(folder_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  return true;
}

void SmallDisk::fillLeaving(std::uintmax_t bytesLeft) {
  const std::uintmax_t free = fs::space(folder_).available;
  const std::string filler(free > bytesLeft ? free - bytesLeft : 0, 'x');
  std::ofstream(folder_ / "filler.bin", std::ios::binary)
      .write(filler.data(), static_cast<std::streamsize>(filler.size()));
}

void SmallDisk::removeFiller() { fs::remove(folder_ / "filler.bin"); }

fs::path FaultTest::daeFolder(int scale) {
  const fs::path dae = root() / ("dae" + std::to_string(scale));
  if (!fs::exists(dae)) {
    const auto made = test_support::runProcess(test_support::builtExecutable("samples/make-sample"),
                                               {"--scale", std::to_string(scale), "--out", dae.string()});
    EXPECT_EQ(made.exitCode, 0) << made.err;
  }
  return dae;
}

fs::path FaultTest::folder(const std::string& name) {
  const fs::path made = root() / name;
  fs::create_directories(made);
  return made;
}

std::string FaultTest::cliPath() {
  return test_support::builtExecutable("src/cli/transorvaldae-cli").string();
}
std::string FaultTest::hostStubPath() {
  return test_support::builtExecutable("tools/host_stub/host-stub").string();
}

test_support::ProcessResult FaultTest::cli(const std::vector<std::string>& args) {
  return test_support::runProcess(cliPath(), args);
}

test_support::ProcessResult FaultTest::exportTo(const fs::path& work, const fs::path& dae,
                                                const std::vector<std::string>& options) {
  std::vector<std::string> args = {"export", "--dae-folder", dae.string(), "--work-folder", work.string()};
  args.insert(args.end(), options.begin(), options.end());
  return cli(args);
}

test_support::ProcessResult FaultTest::solveAndImport(const fs::path& work, const fs::path& dae) {
  const auto solved = test_support::runProcess(hostStubPath(), {"solve", "--work-folder", work.string()});
  EXPECT_EQ(solved.exitCode, 0) << solved.err;
  return cli({"import", "--dae-folder", dae.string(), "--work-folder", work.string()});
}

test_support::ProcessResult FaultTest::check(const fs::path& work, const std::string& table) {
  return cli({"check", table, "--work-folder", work.string()});
}

}  // namespace faults
