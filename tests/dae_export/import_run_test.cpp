#include "dae_export/import_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dae_export/coding_editor.h"
#include "dae_export/coding_rules.h"
#include "dae_export/import_workspace.h"
#include "support/dbase/index_check.h"
#include "support/dbase/table.h"
#include "support/error.h"
#include "toolkit/child_process.h"
#include "toolkit/recording_dialogs.h"

namespace dae_export {
namespace {

using import_test::ImportWorkspace;
using import_test::kTeacherWithoutDocument;
using import_test::Lesson;
using import_test::NumberKind;
using import_test::Rows;

const std::string kNotFinished = "!!ATENCIÓN!! El Proceso NO ha finalizado Correctamente";
const std::string kCrLf = "\r\n";

// AB teaches 1A and 1B in day 1 hour 1; CD, who has no document yet, keeps a
// guard on day 2 hour 3.
const std::vector<Lesson> kTimetable = {
    {"1", "1", "1", "AB", "1A", "MAT", "A12", "", "0"},
    {"1", "1", "1", "AB", "1B", "MAT", "A12", "", "20"},
    {"2", "3", "1", "CD", "", "GUA", "", "", ""},
};

class ImportRunTest : public ::testing::Test {
 protected:
  ImportRunTest() {
    workspace.writeSchool();
    workspace.writeTimetable(kTimetable);
  }

  // The user types CD's document in the coding editor.
  void typeMissingDocument() {
    dialogs.editorActions = [](CodingEditor& editor) {
      ASSERT_TRUE(enterTeacherDocument(editor.tables(), "CD", "0002", "X1234567L"));
    };
  }

  void run() { Importar2(session, dialogs); }

  Rows typeTwo() const { return workspace.readUtf8("CUADROH2", {"PROF_DIA_SES", "TIPDOC", "DOC", "TIPTAR"}); }
  Rows typeThree() const {
    return workspace.readUtf8("CUADROH3", {"PROF_DIA_SES", "ABREVGRUP", "DOC", "NUMALUM"});
  }

  ImportWorkspace workspace;
  run::Session session = workspace.session();
  test_support::RecordingDialogs dialogs;
};

TEST_F(ImportRunTest, FirstImportAsksNothingAndWritesTheFile) {
  typeMissingDocument();
  run();
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"Proceso finalizado"});
  EXPECT_EQ(dialogs.editorRuns, 1);
  EXPECT_EQ(session.FlagPaso, 0);
  EXPECT_EQ(session.CodigoResultado, 1);
  const std::string aliasA = "1\xBA ESO A" + std::string(42, ' ');
  const std::string aliasB = "1\xBA ESO B" + std::string(42, ' ');
  EXPECT_EQ(workspace.outputFile(), "1CH0149872025" + kCrLf +
                                        "2"
                                        "0001"
                                        "12345678Z      "
                                        "01"
                                        "1"
                                        "101 "
                                        "08:00"
                                        "09:00"
                                        "A1200000"
                                        "ASIG0001"
                                        " "
                                        "02" +
                                        kCrLf +
                                        "3"
                                        "G0000001"
                                        "00"
                                        "01"
                                        "0028" +
                                        aliasA + "G0000001" + kCrLf +
                                        "3"
                                        "G0000002"
                                        "00"
                                        "01"
                                        "0020" +
                                        aliasB + "G0000002" + kCrLf +
                                        "2"
                                        "0002"
                                        "X1234567L      "
                                        "03"
                                        "2"
                                        "    "
                                        "10:00"
                                        "11:00"
                                        "00000000"
                                        "0102    "
                                        " "
                                        "  " +
                                        kCrLf);
  for (const char* table : {"CUADROH2", "CUADROH3", "PLANTILLA", "PROFT"}) {
    EXPECT_EQ(dbase::checkIndexes(workspace.workFolder(), table), std::vector<std::string>{}) << table;
  }
}

TEST_F(ImportRunTest, RebuildingForgetsTheCodesTypedEarlier) {
  typeMissingDocument();
  run();
  workspace.typeTaskType("CD        203", "0103");
  dialogs.shown.clear();
  dialogs.editorActions = nullptr;
  dialogs.answers = {false};
  run();
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{kKeepPreviousQuestion, "Proceso finalizado"}));
  // The document typed in the editor is in PROFT, so the new records get it.
  EXPECT_EQ(typeTwo(), (Rows{{"AB        101", "0001", "12345678Z", "101"},
                             {"CD        203", "0002", "X1234567L", ""}}));
}

// Yes to both questions, or either closed without an answer: the work tables
// stay as they are, with the codes typed in the earlier import.
const std::pair<run::Answer, run::Answer> kTablesLeftAlone[] = {
    {run::Answer::Yes, run::Answer::Yes},
    {run::Answer::Closed, run::Answer::Yes},
    {run::Answer::Yes, run::Answer::Closed},
    {run::Answer::Closed, run::Answer::Closed},
};

TEST_F(ImportRunTest, KeepingAndGoingStraightToTheCodingLeavesTheTablesAlone) {
  typeMissingDocument();
  run();
  const Rows typeTwoBefore = typeTwo();
  const Rows typeThreeBefore = typeThree();
  // A build would stop at the missing timetable.
  std::filesystem::remove(workspace.workFolder() / "SOLUC.DBF");
  for (const auto& [keep, straightToCoding] : kTablesLeftAlone) {
    SCOPED_TRACE(std::to_string(int(keep)) + "," + std::to_string(int(straightToCoding)));
    dialogs.shown.clear();
    dialogs.answers = {keep, straightToCoding};
    const int editorRuns = dialogs.editorRuns;
    run();
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{kKeepPreviousQuestion, kStraightToCodingQuestion,
                                                       "Proceso finalizado"}));
    EXPECT_EQ(typeTwo(), typeTwoBefore);
    EXPECT_EQ(typeThree(), typeThreeBefore);
    EXPECT_EQ(dialogs.editorRuns, editorRuns + 1);
  }
}

TEST_F(ImportRunTest, CursorIsNormalFromTheEditorOn) {
  session.busyCursor = true;  // as the class-hour check leaves it
  bool busyInEditor = true;
  dialogs.editorActions = [&](CodingEditor&) { busyInEditor = session.busyCursor; };
  dialogs.otherAnswers = [&](test_support::Question, const std::string&) {
    EXPECT_FALSE(session.busyCursor);
    return false;
  };
  run();
  EXPECT_FALSE(busyInEditor);
  EXPECT_FALSE(session.busyCursor);
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{kTeacherWithoutDocument, kNotFinished}));
}

TEST_F(ImportRunTest, KeepingAndUpdatingFollowsTheTimetableAndKeepsTheDocuments) {
  typeMissingDocument();
  run();
  workspace.writeTimetable(
      {{"1", "1", "1", "AB", "1A", "MAT", "A12", "", "0"}, {"2", "3", "1", "CD", "1B", "LEN", "", "", "9"}});
  // The document typed in the editor reached the records; PROFT forgets it,
  // so only the kept records can still hold it.
  workspace.writeTeachers({{"AB", "", "", "12345678Z", "0001"}, {"CD", "", "", "X1234567L", "0002"}});
  dialogs.shown.clear();
  dialogs.editorActions = nullptr;
  dialogs.answers = {true, false};
  run();
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{kKeepPreviousQuestion, kStraightToCodingQuestion,
                                                     "Proceso finalizado"}));
  EXPECT_EQ(typeTwo(), (Rows{{"AB        101", "0001", "12345678Z", "101"},
                             {"CD        203", "0002", "X1234567L", "101"}}));
  EXPECT_EQ(typeThree(),
            (Rows{{"AB        101", "1A", "12345678Z", "28"}, {"CD        203", "1B", "X1234567L", "9"}}));
}

TEST_F(ImportRunTest, DocumentCheckAnsweredNoEndsWithoutTheFile) {
  dialogs.answers = {false};
  run();
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{kTeacherWithoutDocument, kNotFinished}));
  EXPECT_EQ(session.FlagPaso, 4);
  EXPECT_EQ(session.CodigoResultado, 1);
  EXPECT_FALSE(workspace.outputExists());
}

TEST_F(ImportRunTest, EditorLeftWithoutTerminarEndsAsFinishedWithoutTheFile) {
  dialogs.answers = {true};  // correct it: the editor stays open, then the user closes it
  run();
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{kTeacherWithoutDocument, "Proceso finalizado"}));
  EXPECT_EQ(session.FlagPaso, 0);
  EXPECT_FALSE(workspace.outputExists());
}

TEST_F(ImportRunTest, MissingOutputFolderEndsWithoutTheFile) {
  typeMissingDocument();
  session.CarpetaDAE = (workspace.daeFolder() / "gone" / "").string();
  run();
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"No existe la carpeta", kNotFinished}));
  EXPECT_EQ(session.FlagPaso, 4);
  EXPECT_EQ(session.CodigoResultado, 1);
}

// A timetable the import cannot use; what it returns is kept alive while the
// import runs.
struct BadTimetableCase {
  const char* name;
  std::function<std::shared_ptr<void>(const ImportWorkspace&)> spoil;
  const char* errorPart;
};

const BadTimetableCase kBadTimetables[] = {
    {"Missing",
     [](const ImportWorkspace& w) {
       std::filesystem::remove(w.workFolder() / "SOLUC.DBF");
       return nullptr;
     },
     "SOLUC"},
    {"Damaged",
     [](const ImportWorkspace& w) {
       std::ofstream(w.workFolder() / "SOLUC.DBF", std::ios::binary | std::ios::trunc) << "no es una tabla";
       return nullptr;
     },
     "SOLUC"},
    {"DayThatIsNotANumber",
     [](const ImportWorkspace& w) {
       w.writeTimetable(
           {{"1", "1", "1", "AB", "1A", "MAT", "", "", ""}, {"x", "1", "1", "CD", "", "GUA", "", "", ""}},
           NumberKind::Character);
       return nullptr;
     },
     "'x' is not a valid integer value"},
    {"HeldByTheHost",
     [](const ImportWorkspace& w) -> std::shared_ptr<void> {
       auto host = std::make_shared<test_support::BackgroundProcess>(
           test_support::builtExecutable("tools/host_stub/host-stub"),
           std::vector<std::string>{"hold", "SOLUC", "--work-folder", w.workFolder().string()});
       EXPECT_TRUE(host->waitForLine("holding"));
       return host;
     },
     "SOLUC"},
};

TEST_F(ImportRunTest, TimetableThatCannotBeReadLeavesTheWorkTablesAndTheFile) {
  typeMissingDocument();
  run();
  const Rows typeTwoBefore = typeTwo();
  const Rows typeThreeBefore = typeThree();
  const std::string fileBefore = workspace.outputFile();
  for (const BadTimetableCase& c : kBadTimetables) {
    SCOPED_TRACE(c.name);
    workspace.writeTimetable(kTimetable);
    const std::shared_ptr<void> keep = c.spoil(workspace);
    for (const bool keepTables : {false, true}) {
      dialogs.shown.clear();
      dialogs.answers = {keepTables, false};
      try {
        run();
        ADD_FAILURE() << "no error";
      } catch (const support::Error& e) {
        EXPECT_NE(std::string(e.what()).find(c.errorPart), std::string::npos) << e.what();
      }
      EXPECT_EQ(typeTwo(), typeTwoBefore);
      EXPECT_EQ(typeThree(), typeThreeBefore);
      EXPECT_EQ(workspace.outputFile(), fileBefore);
      EXPECT_EQ(dialogs.editorRuns, 1);
    }
  }
}

}  // namespace
}  // namespace dae_export
