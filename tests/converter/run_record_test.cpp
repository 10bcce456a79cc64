// The safety net around the panel flow's runs: each direction copies every
// file it changes before it changes one, a copy that cannot be made stops
// the run with nothing changed, and the run log tells what the run did.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "converter/panel_flow.h"
#include "dae_export/coding_editor.h"
#include "dae_export/coding_rules.h"
#include "dae_export/import_workspace.h"
#include "dae_import/complete_export.h"
#include "dae_import/study_levels.h"
#include "run/session.h"
#include "safety/copies_folder.h"
#include "safety/safety_copy.h"
#include "support/error.h"
#include "support/text.h"
#include "toolkit/files.h"
#include "toolkit/pattern_matcher.h"
#include "toolkit/recording_dialogs.h"
#include "toolkit/text_lines.h"

namespace converter {
namespace {

namespace fs = std::filesystem;
using test_support::folderFiles;
using test_support::readBytes;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;
using Files = std::map<std::string, std::string>;

// One direction, on a school ready for it, as the user runs it through.
struct Direction {
  const char* name;
  const char* operation;
  std::function<void(import_test::ImportWorkspace& workspace)> prepare;
  std::function<void(PanelFlow& flow, const fs::path& daeFolder)> run;
};

void exportAll(PanelFlow& flow, const fs::path& daeFolder) {
  flow.BExportarClick(daeFolder);
  flow.BitBtn1Click();
  ASSERT_TRUE(dae_import::typeShortNames(flow.levelsTable(), "ESO", "ESO", "DBH"));
  flow.FinalRecogida();
  flow.BitBtn3Click();
}

// A school whose timetable names a teacher missing from PROFT (the import
// adds ZZ there, and the editor is given ZZ's document) and whose teachers
// all have documents, so that the file is written.
void prepareImport(import_test::ImportWorkspace& w) {
  w.writeSchool();
  w.writeTeachers({{"AB", "Ana Blanco", "Ciencias", "12345678Z", "0001"}});
  w.writeTimetable({{"1", "1", "1", "AB", "1A", "MAT", "A12", "", "0"},
                    {"2", "3", "1", "ZZ", "1B", "LEN", "A12", "", "0"}});
}

const Direction kDirections[] = {
    {"export", "exportar", [](import_test::ImportWorkspace& w) { dae_test::writeCompleteExport(w); },
     exportAll},
    {"import", "importar", prepareImport,
     [](PanelFlow& flow, const fs::path& daeFolder) { flow.BImportarClick(daeFolder); }},
};

// A file's bytes and when it was last written: a run that rewrites a file
// with the same bytes changes it too.
struct FileState {
  std::string bytes;
  fs::file_time_type written;

  bool operator==(const FileState&) const = default;
};
using FolderState = std::map<std::string, FileState>;

FolderState folderState(const fs::path& folder) {
  FolderState state;
  for (const auto& [name, bytes] : folderFiles(folder))
    state[name] = {bytes, fs::last_write_time(folder / name)};
  return state;
}

class RunRecordTest : public ::testing::Test {
 protected:
  RunRecordTest() {
    dialogs.otherAnswers = test_support::alwaysAnswer(false, true);
    dialogs.editorActions = [](dae_export::CodingEditor& editor) {
      dae_export::enterTeacherDocument(editor.tables(), "ZZ", "0001", "11111111H");
    };
  }

  // The run of direction in a flow of its own, gone when the run is done.
  void runOnce(const Direction& direction) {
    PanelFlow flow(session, dialogs);
    direction.run(flow, workspace.daeFolder());
  }

  std::vector<std::string> logLines() const {
    return test_support::lines(readBytes(safety::runLogFile(workspace.copiesFolder())));
  }

  import_test::ImportWorkspace workspace;
  run::Session session = workspace.session();
  test_support::RecordingDialogs dialogs;
};

TEST_F(RunRecordTest, EachDirectionKeepsEveryFileItChangesAsItWas) {
  for (const Direction& direction : kDirections) {
    SCOPED_TRACE(direction.name);
    fs::remove_all(workspace.copiesFolder());
    direction.prepare(workspace);
    runOnce(direction);  // the tables and the file of an earlier run are there
    const FolderState work = folderState(workspace.workFolder());
    const FolderState dae = folderState(workspace.daeFolder());
    runOnce(direction);

    const std::vector<safety::StoredCopy> copies =
        safety::copiesOf(workspace.copiesFolder(), workspace.workFolder());
    ASSERT_EQ(copies.size(), 2u);
    const safety::StoredCopy& copy = copies.front();
    EXPECT_EQ(copy.manifest.operation, direction.operation);
    // Every file the second run changed, created or deleted is in its copy's
    // manifest, and the copy holds it as it was.
    const auto expectKept = [&](safety::Place place, const FolderState& before, const FolderState& after) {
      std::map<std::string, bool> changed;
      for (const auto& [name, bytes] : before) changed[name] = !after.count(name) || after.at(name) != bytes;
      for (const auto& [name, bytes] : after) changed[name] = changed[name] || !before.count(name);
      for (const auto& [name, isChanged] : changed) {
        if (!isChanged) continue;
        const auto kept = std::find_if(
            copy.manifest.files.begin(), copy.manifest.files.end(),
            [&](const safety::KeptFile& file) { return file.place == place && file.name == name; });
        ASSERT_NE(kept, copy.manifest.files.end()) << name << " changed without a copy";
        EXPECT_EQ(kept->existed, before.count(name) == 1) << name;
        if (kept->existed) {
          EXPECT_EQ(readBytes(copy.folder / safety::subfolderName(place) / name), before.at(name).bytes)
              << name;
        }
      }
    };
    expectKept(safety::Place::WorkFolder, work, folderState(workspace.workFolder()));
    expectKept(safety::Place::DaeFolder, dae, folderState(workspace.daeFolder()));
  }
}

TEST_F(RunRecordTest, ACopyThatCannotBeMadeStopsTheRunBeforeAnyChange) {
  const fs::path blocked = workspace.copiesFolder().parent_path() / "blocked";
  test_support::writeBytes(blocked, "a file, not a folder");
  session.copiesFolder = blocked / "copias";
  for (const Direction& direction : kDirections) {
    SCOPED_TRACE(direction.name);
    direction.prepare(workspace);
    const Files work = folderFiles(workspace.workFolder());
    const Files dae = folderFiles(workspace.daeFolder());
    PanelFlow flow(session, dialogs);
    try {
      direction.run(flow, workspace.daeFolder());
      ADD_FAILURE() << "the run went on";
    } catch (const support::Error& error) {
      EXPECT_THAT(error.what(),
                  HasSubstr("No se puede hacer la copia de seguridad en " + session.copiesFolder.string()));
    }
    EXPECT_EQ(flow.state(), PanelState::Start);
    EXPECT_EQ(session.CodigoResultado, 0);
    EXPECT_EQ(folderFiles(workspace.workFolder()), work);
    EXPECT_EQ(folderFiles(workspace.daeFolder()), dae);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.classHourChecks, 0);
  }
}

TEST_F(RunRecordTest, TheLogTellsWhatTheExportDidAndEndsWithTheResult) {
  kDirections[0].prepare(workspace);
  runOnce(kDirections[0]);
  runOnce(kDirections[0]);  // the carry-over question is asked this time
  const std::vector<std::string> log = logLines();
  for (const std::string& line : log)
    EXPECT_THAT(line, test_support::MatchesPattern("[0-9-]{10} [0-9:]{8} .+"));
  const auto text = [&](std::size_t i) { return log.at(i).substr(20); };
  EXPECT_EQ(text(0), "==== exportar: de DAE a Orvalin");
  EXPECT_EQ(text(1), "carpeta de trabajo: " + workspace.workFolder().string());
  EXPECT_EQ(text(2), "carpeta DAE: " + workspace.daeFolder().string());
  EXPECT_THAT(text(3), StartsWith("copia de seguridad: " + workspace.copiesFolder().string()));
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < log.size(); ++i) texts.push_back(text(i));
  const auto rowsLine = [&](const std::string& table) {
    const std::size_t rows = workspace.read(table, {}).size();
    return table + ": " + std::to_string(rows) + (rows == 1 ? " fila escrita" : " filas escritas");
  };
  for (const char* table :
       {"daeTIPTAR", "daeNIVIMP", "daeCENTRO", "DIASHORAST", "ASIGNOMT", "PROFT", "ASIGT"})
    EXPECT_THAT(texts, Contains(rowsLine(table)));
  EXPECT_THAT(texts, Contains("idioma: EUSKERA; centro de entidad pública"));
  EXPECT_THAT(texts, Contains(StartsWith("plantilla: A ")));
  std::string question = dae_test::restoreQuestion();
  question.replace(question.find('|'), 1, ": ");
  EXPECT_THAT(texts, Contains("pregunta: " + support::oneLine(question) + " -> OK"));
  EXPECT_THAT(texts, Contains("mensaje: Proceso finalizado"));
  EXPECT_EQ(texts.back(), "resultado: CodigoResultado=1");
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "==== exportar: de DAE a Orvalin"), 2);
}

TEST_F(RunRecordTest, AQuestionClosedWithoutAnAnswerIsLoggedAsSuch) {
  kDirections[1].prepare(workspace);
  runOnce(kDirections[1]);
  dialogs.answers = {run::Answer::Closed};  // "¿Desea Conservar...?" closed
  runOnce(kDirections[1]);
  EXPECT_THAT(logLines(), Contains(AllOf(HasSubstr("pregunta: Si Conserva los Datos"),
                                         EndsWith(" -> cerrada sin responder"))));
}

TEST_F(RunRecordTest, AnErrorThatStopsTheImportIsLoggedBeforeTheResult) {
  kDirections[1].prepare(workspace);
  fs::remove(workspace.workFolder() / "SOLUC.DBF");
  EXPECT_THROW(runOnce(kDirections[1]), support::Error);
  const std::vector<std::string> log = logLines();
  ASSERT_GE(log.size(), 2u);
  EXPECT_THAT(log[log.size() - 2], HasSubstr("error: "));
  EXPECT_THAT(log[log.size() - 2], HasSubstr("SOLUC"));
  EXPECT_THAT(log.back(), EndsWith("resultado: CodigoResultado=0"));
}

TEST_F(RunRecordTest, ARunLeftOnAPanelEndsWhenTheFlowGoesAway) {
  kDirections[0].prepare(workspace);
  {
    PanelFlow flow(session, dialogs);
    flow.BExportarClick(workspace.daeFolder());
    ASSERT_EQ(flow.state(), PanelState::Centre);
    EXPECT_THAT(logLines(), Contains(EndsWith("daeCENTRO: 1 fila escrita")));  // written as it goes
    EXPECT_THAT(logLines(), Not(Contains(HasSubstr("resultado"))));
  }
  EXPECT_THAT(logLines().back(), EndsWith("resultado: CodigoResultado=1"));
}

TEST_F(RunRecordTest, GoingBackToTheLevelsGoesOnUnderTheSameCopy) {
  kDirections[0].prepare(workspace);
  {
    PanelFlow flow(session, dialogs);
    exportAll(flow, workspace.daeFolder());
    ASSERT_EQ(flow.state(), PanelState::Done);
    flow.Button3Click();  // the levels again: their short names may change
    ASSERT_TRUE(dae_import::typeShortNames(flow.levelsTable(), "ESO", "ESO2", "DBH2"));
    flow.FinalRecogida();
    ASSERT_EQ(flow.state(), PanelState::Templates);
  }
  EXPECT_EQ(safety::copiesOf(workspace.copiesFolder(), workspace.workFolder()).size(), 1u);
  const std::vector<std::string> log = logLines();
  EXPECT_THAT(log, Contains(EndsWith("==== sigue: exportar")));
  EXPECT_EQ(
      std::count_if(log.begin(), log.end(),
                    [](const std::string& line) { return line.ends_with("resultado: CodigoResultado=1"); }),
      2);
}

}  // namespace
}  // namespace converter
