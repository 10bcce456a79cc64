#include "converter/panel_flow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dae_import/complete_export.h"
#include "dae_import/hour_templates.h"
#include "dae_import/study_levels.h"
#include "run/session.h"
#include "support/error.h"
#include "toolkit/fixed_record.h"
#include "toolkit/recording_dialogs.h"

namespace converter {
namespace {

using dae_test::periodRecord;
using dae_test::templateHeader;
using test_support::fixedRecord;
using test_support::RecordingDialogs;
using test_support::Rows;
using test_support::Workspace;

const char* const kTimetablerTables[] = {"ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT"};

class PanelFlowTest : public ::testing::Test {
 protected:
  PanelFlowTest() { dae_test::writeCompleteExport(workspace); }

  void exportFolder() { flow.BExportarClick(workspace.daeFolder()); }

  // From the folder to the template panel, with short names for both levels.
  void reachTemplates() {
    exportFolder();
    flow.BitBtn1Click();
    ASSERT_EQ(flow.state(), PanelState::Levels);
    ASSERT_TRUE(dae_import::typeShortNames(flow.levelsTable(), "ESO", "ESO", "DBH"));
    ASSERT_TRUE(dae_import::typeShortNames(flow.levelsTable(), "BACH", "BACH", "BATX"));
    flow.FinalRecogida();
    ASSERT_EQ(flow.state(), PanelState::Templates);
  }

  bool tableExists(const std::string& name) const { return dbase::tableExists(workspace.workFolder(), name); }

  bool wasShown(const std::string& text) const {
    return std::find(dialogs.shown.begin(), dialogs.shown.end(), text) != dialogs.shown.end();
  }

  Workspace workspace;
  run::Session session = workspace.session();
  RecordingDialogs dialogs;
  PanelFlow flow{session, dialogs};
};

TEST_F(PanelFlowTest, StartShowsNoPanel) {
  EXPECT_EQ(flow.state(), PanelState::Start);
  EXPECT_FALSE(flow.button3Visible());
  EXPECT_TRUE(flow.directionButtonsEnabled());
  EXPECT_TRUE(flow.templateOkVisible());
  EXPECT_FALSE(flow.waitNoticeVisible());
  EXPECT_FALSE(flow.busyCursor());
  EXPECT_TRUE(flow.publicChecked());
  EXPECT_FALSE(flow.privateChecked());
}

TEST_F(PanelFlowTest, MissingFolderStandaloneOnlySaysSo) {
  flow.BExportarClick(workspace.daeFolder() / "gone");
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"No existe la carpeta"});
  EXPECT_EQ(session.CodigoResultado, 0);
  EXPECT_FALSE(flow.closeRequested());
  EXPECT_EQ(flow.state(), PanelState::Start);
}

TEST_F(PanelFlowTest, MissingFolderHostedEndsWithMinusOne) {
  session.ParamsRecibidos = 2;
  flow.BExportarClick(workspace.daeFolder() / "gone");
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"No existe la carpeta"});
  EXPECT_EQ(session.CodigoResultado, -1);
  EXPECT_TRUE(flow.closeRequested());
}

TEST_F(PanelFlowTest, CompleteExportWalksEveryPanel) {
  exportFolder();
  EXPECT_EQ(flow.state(), PanelState::Centre);
  EXPECT_EQ(session.CarpetaDAE, workspace.session().CarpetaDAE);
  EXPECT_EQ(session.CodigoResultado, 1);
  EXPECT_EQ(session.FlagPaso, 0);
  EXPECT_FALSE(flow.busyCursor());
  EXPECT_EQ(flow.centreTable().state(), dbase::EditState::Edit);
  EXPECT_EQ(flow.centreTable().text("CODCENTRO"), "012345");

  reachTemplates();
  EXPECT_EQ(session.FlagPaso, 0);
  EXPECT_TRUE(flow.templatesTable().isOpen());
  EXPECT_TRUE(dialogs.shown.empty());

  flow.BitBtn3Click();
  EXPECT_EQ(flow.state(), PanelState::Done);
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"Proceso finalizado"});
  EXPECT_EQ(session.CodigoResultado, 1);
  EXPECT_TRUE(flow.button3Visible());
  EXPECT_FALSE(flow.directionButtonsEnabled());
  EXPECT_FALSE(flow.templateOkVisible());
  EXPECT_TRUE(flow.waitNoticeVisible());
  EXPECT_FALSE(flow.closeRequested());
  EXPECT_FALSE(flow.levelsTable().isOpen());
  EXPECT_EQ(workspace.read("DIASHORAST", {"DIHO", "PLANTILLA"}), (Rows{{"11", "A"}, {"12", "A"}}));
  for (const char* table : kTimetablerTables) EXPECT_TRUE(tableExists(table)) << table;
  EXPECT_EQ(workspace.read("daeNIVIMP2", {"COD", "ABREVCAST", "ABREVEUSK"}),
            (Rows{{"ESO", "ESO", "DBH"}, {"BACH", "BACH", "BATX"}}));
}

TEST_F(PanelFlowTest, HostedExportClosesAtTheEnd) {
  session.ParamsRecibidos = 2;
  reachTemplates();
  EXPECT_FALSE(flow.closeRequested());
  flow.BitBtn3Click();
  EXPECT_TRUE(flow.closeRequested());
  EXPECT_EQ(session.CodigoResultado, 1);
}

TEST_F(PanelFlowTest, TemplateChosenIsBuilt) {
  reachTemplates();
  ASSERT_TRUE(dae_import::chooseTemplate(flow.templatesTable(), "PLANB"));
  flow.BitBtn3Click();
  EXPECT_EQ(workspace.read("DIASHORAST", {"DIHO"}), (Rows{{"31"}, {"32"}, {"210"}}));
}

TEST_F(PanelFlowTest, MissingCodeFileStaysAtStartWithTheNormalCursor) {
  workspace.removeDaeFile("V55T86.txt");
  bool busyWhileLoading = false;
  struct CursorWatch : RecordingDialogs {
    void message(const std::string& text) override {
      RecordingDialogs::message(text);
      *busy = flow->busyCursor();
    }
    const PanelFlow* flow = nullptr;
    bool* busy = nullptr;
  } watch;
  watch.busy = &busyWhileLoading;
  PanelFlow watched(session, watch);
  watch.flow = &watched;
  watched.BExportarClick(workspace.daeFolder());
  EXPECT_EQ(watch.shown, std::vector<std::string>{"No existe archivo DAE (V55T86.TXT)"});
  EXPECT_TRUE(busyWhileLoading);
  EXPECT_FALSE(watched.busyCursor());
  EXPECT_EQ(session.CodigoResultado, -1);
  EXPECT_EQ(watched.state(), PanelState::Start);
}

TEST_F(PanelFlowTest, MissingLevelsTableKeepsTheCentrePanel) {
  exportFolder();
  std::filesystem::remove(workspace.workFolder() / "daeNIVIMP.DBF");
  flow.BitBtn1Click();
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"No existe archivo de Niveles (daeNIVIMP.DBF)"});
  EXPECT_EQ(session.CodigoResultado, -1);
  EXPECT_EQ(flow.state(), PanelState::Centre);
  EXPECT_FALSE(flow.centreTable().isOpen());
}

TEST_F(PanelFlowTest, RepeatedShortNameKeepsTheLevelsPanel) {
  exportFolder();
  flow.BitBtn1Click();
  ASSERT_TRUE(dae_import::typeShortNames(flow.levelsTable(), "ESO", "X", ""));
  ASSERT_TRUE(dae_import::typeShortNames(flow.levelsTable(), "BACH", "x", ""));
  flow.FinalRecogida();
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"Abreviatura en Castellano Repetida - Compruébelo."});
  EXPECT_EQ(session.FlagPaso, 1);
  EXPECT_EQ(flow.state(), PanelState::Levels);
  flow.BitBtn3Click();  // the template panel is not there yet
  EXPECT_FALSE(tableExists("DIASHORAST"));
  EXPECT_FALSE(tableExists("daeNIVIMP2"));
}

TEST_F(PanelFlowTest, BackToCentreThenOkLeadsToTheLevelsAgain) {
  exportFolder();
  flow.BitBtn1Click();
  ASSERT_TRUE(dae_import::typeShortNames(flow.levelsTable(), "ESO", "X", ""));
  ASSERT_TRUE(dae_import::typeShortNames(flow.levelsTable(), "BACH", "X", ""));
  flow.FinalRecogida();
  ASSERT_EQ(session.FlagPaso, 1);
  flow.Button2Click();
  EXPECT_EQ(session.FlagPaso, 0);
  EXPECT_EQ(flow.state(), PanelState::Centre);
  EXPECT_EQ(flow.centreTable().state(), dbase::EditState::Edit);
  flow.BitBtn1Click();
  EXPECT_EQ(flow.state(), PanelState::Levels);
}

TEST_F(PanelFlowTest, TemplatePanelStaysOverTheLevelsOnceShown) {
  reachTemplates();
  flow.Button2Click();
  EXPECT_EQ(flow.state(), PanelState::Centre);
  dialogs.answers = {true};  // the carry-over of the names just typed
  flow.BitBtn1Click();
  EXPECT_EQ(flow.state(), PanelState::Templates);
  EXPECT_TRUE(flow.templateOkVisible());
}

TEST_F(PanelFlowTest, AfterTheEndTheLevelsComeBackWithoutTheTemplateOk) {
  reachTemplates();
  flow.BitBtn3Click();
  dialogs.answers = {true};  // the carry-over of the names just typed
  flow.Button3Click();
  EXPECT_EQ(flow.state(), PanelState::Templates);
  EXPECT_FALSE(flow.templateOkVisible());
  EXPECT_TRUE(flow.waitNoticeVisible());
  EXPECT_FALSE(flow.directionButtonsEnabled());
  flow.FinalRecogida();
  flow.BitBtn3Click();  // no OK to press: nothing is built again
  EXPECT_EQ(std::count(dialogs.shown.begin(), dialogs.shown.end(), "Proceso finalizado"), 1);
  flow.Button2Click();
  EXPECT_EQ(flow.state(), PanelState::Centre);
  EXPECT_FALSE(flow.button3Visible());
  flow.BExportarClick(workspace.daeFolder());  // disabled
  EXPECT_EQ(flow.centreTable().state(), dbase::EditState::Edit);
}

TEST_F(PanelFlowTest, MissingBuilderInputLetsTheChainGoOn) {
  session.ParamsRecibidos = 2;
  workspace.removeDaeFile("AULAS.txt");
  reachTemplates();
  flow.BitBtn3Click();
  EXPECT_EQ(dialogs.shown,
            (std::vector<std::string>{"No existe archivo DAE de Aulas (AULAS.txt)", "Proceso finalizado"}));
  EXPECT_EQ(session.CodigoResultado, -1);
  EXPECT_EQ(flow.state(), PanelState::Done);
  EXPECT_TRUE(flow.closeRequested());
  EXPECT_FALSE(tableExists("AULAT"));
  EXPECT_TRUE(tableExists("GRUPOST"));
  EXPECT_TRUE(tableExists("ASIGT"));
}

TEST_F(PanelFlowTest, BadPeriodStopsBeforeTheTimetablerTables) {
  session.ParamsRecibidos = 2;
  workspace.writeDaeFile("PLANTILLAS.txt", templateHeader("A", "A") +
                                               periodRecord("01", "1", "08:00", "09:00") +
                                               periodRecord("0x", "1", "09:00", "10:00"));
  reachTemplates();
  EXPECT_THROW(flow.BitBtn3Click(), support::Error);
  EXPECT_EQ(flow.state(), PanelState::Templates);
  EXPECT_FALSE(flow.templateOkVisible());
  EXPECT_TRUE(flow.waitNoticeVisible());
  EXPECT_FALSE(flow.closeRequested());
  EXPECT_EQ(session.CodigoResultado, 1);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(workspace.read("DIASHORAST", {"DIHO"}), Rows{{"11"}});
  for (const char* table : kTimetablerTables) EXPECT_FALSE(tableExists(table)) << table;
}

TEST_F(PanelFlowTest, BuilderErrorStopsTheChainWithEarlierTablesIntact) {
  workspace.writeDaeFile("AULAS.txt", fixedRecord(61, {{1, "A1"}, {9, "Aula uno"}, {59, "abc"}}));
  reachTemplates();
  EXPECT_THROW(flow.BitBtn3Click(), support::Error);
  EXPECT_TRUE(tableExists("ASIGNOMT"));
  EXPECT_TRUE(tableExists("PROFT"));
  EXPECT_FALSE(tableExists("GRUPOST"));
  EXPECT_FALSE(tableExists("ASIGT"));
  EXPECT_FALSE(wasShown("Proceso finalizado"));
  EXPECT_EQ(flow.state(), PanelState::Templates);
}

TEST_F(PanelFlowTest, NoTemplateFileOnOkEndsTheStep) {
  reachTemplates();
  workspace.removeDaeFile("PLANTILLAS.txt");
  flow.BitBtn3Click();
  EXPECT_EQ(dialogs.shown,
            (std::vector<std::string>{
                "No existe archivo DAE (Plantillas.txt o T02.txt)",
                "Pero podrá Crear su Plantilla Horaria, cuando Exporte la Solución del Horario."}));
  EXPECT_EQ(flow.state(), PanelState::Templates);
  EXPECT_FALSE(flow.templateOkVisible());
  EXPECT_EQ(session.CodigoResultado, 1);
  EXPECT_FALSE(tableExists("ASIGNOMT"));
}

TEST_F(PanelFlowTest, NextExportOffersTheRememberedShortNames) {
  reachTemplates();
  flow.BitBtn3Click();
  RecordingDialogs nextDialogs;
  nextDialogs.answers = {true};
  PanelFlow next(session, nextDialogs);
  next.BExportarClick(workspace.daeFolder());
  next.BitBtn1Click();
  EXPECT_EQ(nextDialogs.shown, std::vector<std::string>{dae_test::restoreQuestion()});
  EXPECT_EQ(workspace.read("daeNIVIMP", {"COD", "ABREVCAST", "ABREVEUSK"}),
            (Rows{{"ESO", "ESO", "DBH"}, {"BACH", "BACH", "BATX"}}));
}

TEST_F(PanelFlowTest, ExportingAgainFromTheCentrePanelReloadsAndResetsTheFlag) {
  exportFolder();
  workspace.writeDaeFile("profesorado.txt", "XXX9999992025");
  session.FlagPaso = 4;
  exportFolder();
  EXPECT_EQ(flow.state(), PanelState::Centre);
  EXPECT_EQ(session.FlagPaso, 0);
  EXPECT_EQ(flow.centreTable().text("CODCENTRO"), "999999");
  flow.BitBtn1Click();
  EXPECT_EQ(flow.state(), PanelState::Levels);
}

TEST_F(PanelFlowTest, CentreOkForTheOtherDirectionNeedsAllThreeFields) {
  exportFolder();
  session.FlagPaso = 1;
  flow.BitBtn1Click();
  EXPECT_EQ(flow.state(), PanelState::Centre);
  EXPECT_FALSE(flow.centreConfirmedForImport());
  EXPECT_EQ(flow.centreTable().state(), dbase::EditState::Edit);
  flow.centreTable().setText("VERSION", "3");
  flow.BitBtn1Click();
  EXPECT_EQ(session.FlagPaso, 0);
  EXPECT_TRUE(flow.centreConfirmedForImport());
  EXPECT_EQ(flow.state(), PanelState::Start);
  EXPECT_FALSE(flow.centreTable().isOpen());
  EXPECT_EQ(workspace.read("daeCENTRO", {"VERSION"}), Rows{{"3"}});
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PanelFlowTest, CheckBoxesStayOppositeAndLanguageIsExact) {
  flow.setPrivateChecked(true);
  EXPECT_FALSE(flow.publicChecked());
  EXPECT_FALSE(session.publicCentre);
  flow.setPrivateChecked(false);
  EXPECT_TRUE(flow.publicChecked());
  flow.setPublicChecked(false);
  EXPECT_TRUE(flow.privateChecked());
  flow.setLanguage("euskera");
  EXPECT_FALSE(session.euskera());
  flow.setLanguage("EUSKERA");
  EXPECT_TRUE(session.euskera());
}

}  // namespace
}  // namespace converter
