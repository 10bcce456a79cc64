#include "dae_import/dae_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "dae_import/complete_export.h"
#include "support/error.h"
#include "toolkit/recording_dialogs.h"

namespace dae_import {
namespace {

using test_support::RecordingDialogs;
using test_support::Workspace;

struct LineCase {
  const char* name;
  std::string bytes;
  std::string line;
};

const LineCase kLineCases[] = {
    {"CrLfEndsTheLine", "AB\r\nCD", "AB"},
    {"LfEndsTheLine", "AB\nCD", "AB"},
    {"BareCrIsDropped", "AB\rCD\rEF", "ABCDEF"},
    {"CtrlZEndsTheLine",
     "AB\x1A"
     "CD",
     "AB"},
    {"EmptyFileGivesEmptyLine", "", ""},
    {"NoLineBreakGivesWholeFile", "ABCDEF", "ABCDEF"},
    {"BytesAreKeptAsTheyAre",
     "Mi\xE9rcoles\tS\xE1"
     "bado",
     "Mi\xE9rcoles\tS\xE1"
     "bado"},
};

TEST(DaeFile, FirstLineFollowsTheReadingRules) {
  Workspace workspace;
  for (const LineCase& c : kLineCases) {
    SCOPED_TRACE(c.name);
    workspace.writeDaeFile("T13.txt", c.bytes);
    EXPECT_EQ(readDaeLine(workspace.session().CarpetaDAE, "T13.txt"), c.line);
  }
}

TEST(DaeFile, RecordsWrittenOnePerLineGiveOnlyTheFirst) {
  Workspace workspace;
  workspace.writeDaeFile("V55T14.txt", "AAAA\r\nBBBB\r\n");
  std::vector<std::string> records;
  forEachRecord(*readDaeLine(workspace.session().CarpetaDAE, "V55T14.txt"), 1, 4,
                [&](std::string_view record) { records.emplace_back(record); });
  EXPECT_EQ(records, std::vector<std::string>{"AAAA"});
}

TEST(DaeFile, BareCarriageReturnsKeepRecordsAligned) {
  Workspace workspace;
  workspace.writeDaeFile("V55T14.txt", "AAAA\rBBBB\rCC");
  std::vector<std::string> records;
  forEachRecord(*readDaeLine(workspace.session().CarpetaDAE, "V55T14.txt"), 1, 4,
                [&](std::string_view record) { records.emplace_back(record); });
  EXPECT_EQ(records, (std::vector<std::string>{"AAAA", "BBBB", "CC"}));
}

TEST(DaeFile, NameIsMatchedWithoutRegardToCase) {
  Workspace workspace;
  workspace.writeDaeFile("T13.TXT", "X");
  EXPECT_TRUE(daeFileExists(workspace.session().CarpetaDAE, "T13.txt"));
  EXPECT_EQ(readDaeLine(workspace.session().CarpetaDAE, "t13.Txt"), "X");
  EXPECT_EQ(readDaeLine(workspace.session().CarpetaDAE, "T07.txt"), std::nullopt);
}

// A file whose state cannot be read (here a link to itself) is the program's
// own error naming it, never the file-system library's exception.
TEST(DaeFile, UnreadableFileIsTheProgramsErrorNamingIt) {
  Workspace workspace;
  std::error_code ec;
  std::filesystem::create_symlink("T13.txt", workspace.daeFolder() / "T13.txt", ec);
  if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
  const std::string folder = workspace.session().CarpetaDAE;
  const auto namesTheFile = [](const support::Error& error) {
    return std::string(error.what()).find("T13.txt") != std::string::npos;
  };
  try {
    daeFileExists(folder, "T13.txt");
    ADD_FAILURE() << "no error";
  } catch (const support::Error& error) {
    EXPECT_TRUE(namesTheFile(error)) << error.what();
  }
  try {
    readDaeLine(folder, "t13.TXT");
    ADD_FAILURE() << "no error";
  } catch (const support::Error& error) {
    EXPECT_TRUE(namesTheFile(error)) << error.what();
  }
}

struct WalkCase {
  const char* name;
  std::string line;
  int start;
  int length;
  std::vector<std::string> records;
};

const WalkCase kWalkCases[] = {
    {"WholeRecords", "AAABBBCCC", 1, 3, {"AAA", "BBB", "CCC"}},
    {"ShortLastRecord", "AAABBBC", 1, 3, {"AAA", "BBB", "C"}},
    {"HeaderSkipped", "HHHHAAABBB", 5, 3, {"AAA", "BBB"}},
    {"LineEndsInsideHeader", "HHH", 5, 3, {}},
    {"EmptyLine", "", 1, 3, {}},
};

TEST(DaeFile, RecordsAreCutFromTheStartPosition) {
  for (const WalkCase& c : kWalkCases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> records;
    forEachRecord(c.line, c.start, c.length, [&](std::string_view record) { records.emplace_back(record); });
    EXPECT_EQ(records, c.records);
  }
}

struct FieldCase {
  const char* name;
  std::string record;
  int start;
  int width;
  std::string field;
};

const FieldCase kFieldCases[] = {
    {"InsideTheRecord", "ABCDEFGH", 3, 4, "CDEF"},
    {"RecordEndsInsideTheField", "ABCDE", 4, 4, "DE"},
    {"RecordEndsBeforeTheField", "ABC", 5, 2, ""},
    {"BlanksAreKept", " A  ", 1, 4, " A  "},
};

TEST(DaeFile, FieldsAreShorterWhenTheRecordEnds) {
  for (const FieldCase& c : kFieldCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(cutField(c.record, c.start, c.width), c.field);
  }
}

TEST(DaeFile, MissingInputIsReportedWithResultMinusOne) {
  Workspace workspace;
  run::Session session = workspace.session();
  session.CodigoResultado = 1;
  RecordingDialogs dialogs;
  EXPECT_EQ(readDaeInput(session, dialogs, "AULAS.txt", "No existe archivo DAE de Aulas (AULAS.txt)"),
            std::nullopt);
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"No existe archivo DAE de Aulas (AULAS.txt)"});
  EXPECT_EQ(session.CodigoResultado, -1);
}

TEST(DaeFile, PresentInputLeavesTheResultAlone) {
  Workspace workspace;
  workspace.writeDaeFile("aulas.TXT", "R1");
  run::Session session = workspace.session();
  session.CodigoResultado = 1;
  RecordingDialogs dialogs;
  EXPECT_EQ(readDaeInput(session, dialogs, "AULAS.txt", "unused"), "R1");
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(session.CodigoResultado, 1);
}

}  // namespace
}  // namespace dae_import
