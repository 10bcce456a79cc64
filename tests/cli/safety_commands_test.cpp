// The safety copies and the run log through the batch front end, as real
// processes on the sample school: undoing an export or an import with
// `restore`, listing and choosing copies, a restore refused while the host
// holds a table, and the log of a run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/dbase/table.h"
#include "toolkit/child_process.h"
#include "toolkit/environment.h"
#include "toolkit/files.h"
#include "toolkit/temp_folder.h"
#include "toolkit/text_lines.h"

namespace cli {
namespace {

namespace fs = std::filesystem;
using test_support::folderFiles;
using test_support::lines;
using test_support::ProcessResult;
using test_support::readBytes;
using ::testing::Contains;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using Files = std::map<std::string, std::string>;

class SafetyCommandsTest : public ::testing::Test {
 protected:
  SafetyCommandsTest() {
    for (const fs::path& made : {work, sample, other}) fs::create_directories(made);
    test_support::copyFiles(TRANSORVALDAE_SAMPLE_DAE, sample);
    // Another school: the sample's generator at twice the size.
    const ProcessResult made = test_support::runProcess(test_support::builtExecutable("samples/make-sample"),
                                                        {"--scale", "2", "--out", other.string()});
    EXPECT_EQ(made.exitCode, 0) << made.err;
  }

  static ProcessResult cli(const std::vector<std::string>& args) {
    return test_support::runProcess(test_support::builtExecutable("src/cli/transorvaldae-cli"), args);
  }
  ProcessResult exportFrom(const fs::path& dae, const std::vector<std::string>& options = {}) const {
    std::vector<std::string> args = {"export", "--dae-folder", dae.string(), "--work-folder", work.string()};
    args.insert(args.end(), options.begin(), options.end());
    return cli(args);
  }
  // The import, with a document typed for every teacher that has none.
  ProcessResult importTo(const fs::path& dae) const {
    const fs::path documents = root.path() / "documents.txt";
    std::string typed;
    int number = 10000000;
    dbase::Table teachers(work, "PROFT");
    teachers.open({.readOnly = true});
    for (teachers.first(); !teachers.atEnd(); teachers.next()) {
      if (teachers.text("DNI").empty())
        typed += teachers.text("ABREV") + ";DNI;" + std::to_string(number++) + "A\n";
    }
    teachers.close();
    test_support::writeBytes(documents, typed);
    return cli({"import", "--dae-folder", dae.string(), "--work-folder", work.string(), "--documents",
                documents.string()});
  }
  void solve() const {
    const ProcessResult solved =
        test_support::runProcess(test_support::builtExecutable("tools/host_stub/host-stub"),
                                 {"solve", "--work-folder", work.string()});
    ASSERT_EQ(solved.exitCode, 0) << solved.err;
  }
  ProcessResult restore(const std::vector<std::string>& options = {}) const {
    std::vector<std::string> args = {"restore", "--work-folder", work.string()};
    args.insert(args.end(), options.begin(), options.end());
    return cli(args);
  }
  // The names of the copies, the newest first, as --list prints them.
  std::vector<std::string> listedCopies() const {
    std::vector<std::string> names;
    for (const std::string& line : lines(restore({"--list"}).out)) {
      if (!line.starts_with(" ")) names.push_back(line.substr(0, line.find(' ')));
    }
    return names;
  }

  test_support::TempFolder root;
  fs::path work = root.path() / "work";
  fs::path sample = root.path() / "sample";
  fs::path other = root.path() / "other";
  fs::path copies = root.path() / "copias";
  test_support::ScopedEnvironment copiesFolder{"TRANSORVALDAE_BACKUP_FOLDER", copies.string()};
};

TEST_F(SafetyCommandsTest, RestoreAfterTwoExportsGivesBackTheFirstExportsTables) {
  ASSERT_EQ(exportFrom(sample).exitCode, 0);
  const Files first = folderFiles(work);
  ASSERT_EQ(exportFrom(other, {"--language", "CASTELLANO"}).exitCode, 0);
  ASSERT_NE(folderFiles(work), first);

  const ProcessResult restored = restore();
  EXPECT_EQ(restored.exitCode, 0) << restored.out << restored.err;
  EXPECT_THAT(restored.out, StartsWith("Restaurada la copia "));
  EXPECT_EQ(folderFiles(work), first);  // every .DBF and .MDX, byte for byte
}

TEST_F(SafetyCommandsTest, RestoreAfterTwoImportsGivesBackTheEarlierWorkTablesAndFile) {
  ASSERT_EQ(exportFrom(sample).exitCode, 0);
  solve();
  ASSERT_EQ(importTo(sample).exitCode, 0);
  Files tables = folderFiles(work);
  const std::string file = readBytes(sample / "fCUADROS.txt");
  ASSERT_FALSE(file.empty());
  {
    // Meanwhile the host moved a lesson out of the timetable.
    dbase::Table timetable(work, "SOLUC");
    timetable.open();
    timetable.first();
    timetable.remove();
  }
  for (const auto& [name, bytes] : folderFiles(work)) {
    if (name.starts_with("SOLUC.")) tables[name] = bytes;  // the host's, not the import's
  }
  ASSERT_EQ(importTo(sample).exitCode, 0);
  ASSERT_NE(readBytes(sample / "fCUADROS.txt"), file);
  ASSERT_NE(folderFiles(work), tables);

  const ProcessResult restored = restore();
  EXPECT_EQ(restored.exitCode, 0) << restored.out << restored.err;
  EXPECT_EQ(folderFiles(work), tables);
  EXPECT_EQ(readBytes(sample / "fCUADROS.txt"), file);
}

TEST_F(SafetyCommandsTest, CopiesAreListedNewestFirstAndOneCanBeChosen) {
  ASSERT_EQ(exportFrom(sample).exitCode, 0);
  ASSERT_EQ(exportFrom(other).exitCode, 0);
  const ProcessResult list = restore({"--list"});
  EXPECT_EQ(list.exitCode, 0);
  const std::vector<std::string> listed = lines(list.out);
  ASSERT_EQ(listed.size(), 6u) << list.out;
  EXPECT_THAT(listed[0], EndsWith("  exportar  carpeta DAE: " + (other / "").string()));
  EXPECT_THAT(listed[3], EndsWith("  exportar  carpeta DAE: " + (sample / "").string()));
  EXPECT_THAT(listed[1], StartsWith("    guardados: daeTIPTAR.DBF "));
  EXPECT_THAT(listed[4], StartsWith("    guardados: -"));  // the first export found nothing to keep
  const std::vector<std::string> names = listedCopies();
  ASSERT_EQ(names.size(), 2u);
  EXPECT_GT(names[0], names[1]);

  // The copy made before the first export: the work folder was empty.
  const ProcessResult restored = restore({"--copy", names[1]});
  EXPECT_EQ(restored.exitCode, 0) << restored.out << restored.err;
  EXPECT_EQ(folderFiles(work), Files{});

  const ProcessResult missing = restore({"--copy", "2001-01-01_00-00-00"});
  EXPECT_EQ(missing.exitCode, 3);
  EXPECT_EQ(lines(missing.out),
            std::vector<std::string>{"No hay ninguna copia 2001-01-01_00-00-00 de la carpeta de trabajo " +
                                     work.string()});
}

TEST_F(SafetyCommandsTest, RestoreIsRefusedWhileTheHostHoldsATable) {
  ASSERT_EQ(exportFrom(sample).exitCode, 0);
  ASSERT_EQ(exportFrom(other).exitCode, 0);
  const Files exported = folderFiles(work);
  {
    test_support::BackgroundProcess host(test_support::builtExecutable("tools/host_stub/host-stub"),
                                         {"hold", "PROFT", "--work-folder", work.string()});
    ASSERT_TRUE(host.waitForLine("holding"));
    const ProcessResult refused = restore();
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_EQ(lines(refused.out), std::vector<std::string>{"El archivo " + (work / "PROFT.DBF").string() +
                                                           " está en uso por otro programa. Ciérrelo (por "
                                                           "ejemplo, en Orvalin) y vuelva a restaurar. No se "
                                                           "ha restaurado nada."});
  }
  // Compared once the host lets go: on Windows the table it holds cannot be read meanwhile.
  EXPECT_EQ(folderFiles(work), exported);
  EXPECT_EQ(listedCopies().size(), 2u);  // the refused restore made no copy
  EXPECT_EQ(restore().exitCode, 0);      // and goes through once the host lets go
}

TEST_F(SafetyCommandsTest, TheLogOfARunNamesTheTablesTheCountsAndARenamedShortName) {
  const ProcessResult exported = exportFrom(sample, {"--verbose"});
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  const std::vector<std::string> log = lines(readBytes(root.path() / "TransOrvalDAE.log"));
  std::vector<std::string> texts;
  for (const std::string& line : log) texts.push_back(line.substr(20));  // after the date and time
  for (const char* table :
       {"daeTIPTAR", "daeNIVIMP", "DIASHORAST", "ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT"}) {
    dbase::Table written(work, table);
    written.open({.readOnly = true});
    EXPECT_THAT(texts, Contains(std::string(table) + ": " + std::to_string(written.recordCount()) +
                                " filas escritas"));
  }
  // Two teachers of the sample share the initials ENA.
  EXPECT_THAT(
      texts, Contains("PROFT: 29984563S Etxeberria Núñez Arantxa -> \"ENA1\" (numerado: \"ENA\" ya estaba)"));
  EXPECT_THAT(texts, Contains(StartsWith("V55T11.txt: 2 registros omitidos (código repetido)")));
  EXPECT_EQ(texts.front(), "==== exportar: de DAE a Orvalin");
  EXPECT_EQ(texts.back(), "resultado: CodigoResultado=1");

  // --verbose printed the same lines, among the messages.
  std::vector<std::string> printed = lines(exported.out);
  printed.erase(std::remove(printed.begin(), printed.end(), "Proceso finalizado"), printed.end());
  printed.erase(std::remove(printed.begin(), printed.end(), "CodigoResultado=1"), printed.end());
  EXPECT_EQ(printed, log);
  EXPECT_EQ(lines(exported.out).back(), "CodigoResultado=1");
}

}  // namespace
}  // namespace cli
