// The panel flow of the import: BImportarClick, the centre panel when the
// centre data are missing, the questions closed without an answer, and the
// end of the import.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converter/panel_flow.h"
#include "dae_export/coding_editor.h"
#include "dae_export/coding_rules.h"
#include "dae_export/import_run.h"
#include "dae_export/import_workspace.h"
#include "run/session.h"
#include "support/dbase/table.h"
#include "support/error.h"
#include "toolkit/recording_dialogs.h"

namespace converter {
namespace {

using import_test::ImportWorkspace;
using import_test::Rows;

const std::string kNotFinished = "!!ATENCIÓN!! El Proceso NO ha finalizado Correctamente";

class ImportFlowTest : public ::testing::Test {
 protected:
  ImportFlowTest() {
    workspace.writeSchool();
    workspace.writeTeachers({{"AB", "Ana Blanco", "Ciencias", "12345678Z", "0001"}});
    workspace.writeTimetable({{"1", "1", "1", "AB", "1A", "MAT", "A12", "", "0"}});
  }

  void importFolder() { flow.BImportarClick(workspace.daeFolder()); }

  ImportWorkspace workspace;
  run::Session session = workspace.session();
  test_support::RecordingDialogs dialogs;
  PanelFlow flow{session, dialogs};
};

TEST_F(ImportFlowTest, MissingFolderStandaloneOnlySaysSo) {
  flow.BImportarClick(workspace.daeFolder() / "gone");
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"No existe la carpeta"});
  EXPECT_EQ(dialogs.classHourChecks, 0);
  EXPECT_FALSE(flow.closeRequested());
  EXPECT_EQ(flow.state(), PanelState::Start);
}

TEST_F(ImportFlowTest, MissingFolderHostedReportsNothingTransformedAndCloses) {
  session.ParamsRecibidos = 2;
  session.CodigoResultado = 1;
  flow.BImportarClick(workspace.daeFolder() / "gone");
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"No existe la carpeta"});
  EXPECT_EQ(session.CodigoResultado, 0);
  EXPECT_TRUE(flow.closeRequested());
}

TEST_F(ImportFlowTest, ImportRunsFromTheClassHoursToTheFinalMessage) {
  importFolder();
  EXPECT_EQ(dialogs.classHourChecks, 1);
  EXPECT_EQ(dialogs.editorRuns, 1);
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"Proceso finalizado"});
  EXPECT_EQ(session.CodigoResultado, 1);
  EXPECT_EQ(session.FlagPaso, 0);
  EXPECT_EQ(session.CarpetaDAE, (workspace.daeFolder() / "").string());
  EXPECT_EQ(flow.state(), PanelState::Start);
  EXPECT_TRUE(flow.directionButtonsEnabled());
  EXPECT_FALSE(flow.busyCursor());
  EXPECT_FALSE(flow.closeRequested());
  EXPECT_TRUE(workspace.outputExists());
}

TEST_F(ImportFlowTest, HostedImportThatEndsWithoutTheFileStillReportsOneAndCloses) {
  session.ParamsRecibidos = 2;
  workspace.writeTeachers(
      {{"AB", "Ana Blanco", "Ciencias", "12345678Z", "0001"}, {"CD", "Carlos Diez", "", "", ""}});
  dialogs.answers = {false};  // CD has no document: do not correct it
  importFolder();
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{import_test::kTeacherWithoutDocument, kNotFinished}));
  EXPECT_EQ(session.FlagPaso, 4);
  EXPECT_EQ(session.CodigoResultado, 1);
  EXPECT_TRUE(flow.closeRequested());
  EXPECT_FALSE(workspace.outputExists());
}

TEST_F(ImportFlowTest, DocumentQuestionClosedLeavesTheEditorOpenUntilTheUserClosesIt) {
  session.ParamsRecibidos = 2;
  workspace.writeTeachers(
      {{"AB", "Ana Blanco", "Ciencias", "12345678Z", "0001"}, {"CD", "Carlos Diez", "", "", ""}});
  // The question closed, the editor stays open; the user then closes the
  // editor with its title-bar button (the recording dialogs return).
  dialogs.answers = {run::Answer::Closed};
  importFolder();
  EXPECT_EQ(dialogs.shown,
            (std::vector<std::string>{import_test::kTeacherWithoutDocument, "Proceso finalizado"}));
  EXPECT_EQ(session.FlagPaso, 0);
  EXPECT_EQ(session.CodigoResultado, 1);
  EXPECT_FALSE(flow.busyCursor());
  EXPECT_TRUE(flow.closeRequested());
  EXPECT_FALSE(workspace.outputExists());
}

TEST_F(ImportFlowTest, KeepQuestionClosedKeepsTheCodesOfTheEarlierImport) {
  importFolder();
  workspace.typeTaskType("AB        101", "0103");
  // Closed, then No: the kept tables are updated from the timetable.
  dialogs.shown.clear();
  dialogs.answers = {run::Answer::Closed, false};
  importFolder();
  EXPECT_EQ(dialogs.shown,
            (std::vector<std::string>{dae_export::kKeepPreviousQuestion,
                                      dae_export::kStraightToCodingQuestion, "Proceso finalizado"}));
  EXPECT_EQ(workspace.readUtf8("CUADROH2", {"PROF_DIA_SES", "TIPTAR"}), (Rows{{"AB        101", "0103"}}));
}

TEST_F(ImportFlowTest, StepFlagLeftByAnEarlierImportDoesNotStopTheNextOne) {
  session.FlagPaso = 4;
  importFolder();
  EXPECT_EQ(dialogs.editorRuns, 1);
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"Proceso finalizado"});
}

TEST_F(ImportFlowTest, MissingCentreIsAskedForOnTheCentrePanelBeforeTheImport) {
  std::filesystem::remove(workspace.workFolder() / "daeCENTRO.DBF");
  importFolder();
  EXPECT_EQ(flow.state(), PanelState::Centre);
  EXPECT_EQ(session.FlagPaso, 1);
  EXPECT_EQ(dialogs.editorRuns, 0);
  EXPECT_FALSE(flow.busyCursor());
  EXPECT_EQ(flow.centreTable().state(), dbase::EditState::Insert);

  flow.centreTable().setText("CODCENTRO", "099999");
  flow.centreTable().setText("ANOACAD", "2026");
  flow.BitBtn1Click();
  EXPECT_EQ(flow.state(), PanelState::Centre);
  EXPECT_EQ(dialogs.editorRuns, 0);
  EXPECT_TRUE(dialogs.shown.empty());

  flow.centreTable().setText("VERSION", "2");
  flow.BitBtn1Click();
  EXPECT_EQ(flow.state(), PanelState::Start);
  EXPECT_EQ(dialogs.editorRuns, 1);
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"Proceso finalizado"});
  EXPECT_EQ(session.FlagPaso, 0);
  EXPECT_EQ(session.CodigoResultado, 1);
  EXPECT_EQ(workspace.readUtf8("daeCENTRO", {"CODCENTRO", "ANOACAD", "VERSION"}),
            (Rows{{"099999", "2026", "2"}}));
  EXPECT_EQ(workspace.outputFile().substr(0, 13), "1CH0999992026");
}

TEST_F(ImportFlowTest, ImportStartedAgainFromTheCentrePanelRunsOnTheSavedCentre) {
  std::filesystem::remove(workspace.workFolder() / "daeCENTRO.DBF");
  importFolder();
  ASSERT_EQ(flow.state(), PanelState::Centre);
  dbase::Table& centre = flow.centreTable();
  centre.setText("CODCENTRO", "099999");
  centre.setText("ANOACAD", "2026");
  centre.setText("VERSION", "2");
  centre.post();
  importFolder();
  EXPECT_EQ(flow.state(), PanelState::Start);
  EXPECT_EQ(dialogs.classHourChecks, 2);
  EXPECT_EQ(dialogs.editorRuns, 1);
  EXPECT_EQ(workspace.outputFile().substr(0, 13), "1CH0999992026");
  // The hidden panel's OK starts nothing more.
  flow.BitBtn1Click();
  EXPECT_EQ(dialogs.editorRuns, 1);
}

TEST_F(ImportFlowTest, TableErrorStopsTheImportBeforeTheEditor) {
  std::filesystem::remove(workspace.workFolder() / "SOLUC.DBF");
  EXPECT_THROW(importFolder(), support::Error);
  EXPECT_EQ(dialogs.editorRuns, 0);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(session.CodigoResultado, 0);
  EXPECT_FALSE(flow.closeRequested());
}

}  // namespace
}  // namespace converter
