#include "dae_import/study_levels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dae_import/centre.h"
#include "dae_import/code_tables.h"
#include "dae_import/complete_export.h"
#include "dae_import/table_files.h"
#include "run/session.h"
#include "toolkit/recording_dialogs.h"

namespace dae_import {
namespace {

using dae_test::restoreQuestion;
using test_support::RecordingDialogs;
using test_support::Rows;
using test_support::Workspace;

// A level: code and its two short names.
struct Level {
  std::string cod;
  std::string abrevCast;
  std::string abrevEusk;
};

class StudyLevelsTest : public ::testing::Test {
 protected:
  void SetUp() override { CreaCentro(workspace.workFolder()); }

  void makeTable(const std::string& name, const std::vector<Level>& levels) {
    dbase::Table table = dbase::recreateTable(workspace.workFolder(), {name, studyLevelFields(), {}});
    for (const Level& level : levels) {
      table.appendRecord({level.cod, std::string("P"), "Desc " + level.cod, std::string(), std::string(),
                          std::string(), level.abrevCast, level.abrevEusk});
    }
  }

  // Opens the levels step as the window does, noting when the panel shows.
  bool openLevels() {
    return DatosNivel(session, dialogs, centre, levels,
                      [this] { dialogs.shown.push_back("<levels panel>"); });
  }

  Rows shortNames(const std::string& table) {
    return workspace.read(table, {"COD", "ABREVCAST", "ABREVEUSK"});
  }

  Workspace workspace;
  run::Session session = workspace.session();
  RecordingDialogs dialogs;
  dbase::Table centre{workspace.workFolder(), "daeCENTRO"};
  dbase::Table levels{workspace.workFolder(), "daeNIVIMP"};
};

TEST_F(StudyLevelsTest, MissingLevelsTableIsReportedAndTheCentreClosed) {
  session.CodigoResultado = 1;
  centre.open();
  EXPECT_FALSE(openLevels());
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"No existe archivo de Niveles (daeNIVIMP.DBF)"});
  EXPECT_EQ(session.CodigoResultado, -1);
  EXPECT_FALSE(centre.isOpen());
}

TEST_F(StudyLevelsTest, TheCentreRowBeingEditedIsPosted) {
  makeTable("daeNIVIMP", {{"ESO", "", ""}});
  centre.open();
  centre.edit();
  centre.setText("VERSION", "2");
  ASSERT_TRUE(openLevels());
  EXPECT_FALSE(centre.isOpen());
  EXPECT_EQ(workspace.read("daeCENTRO", {"VERSION"}), Rows{{"2"}});
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"<levels panel>"});
  EXPECT_EQ(levels.text("COD"), "ESO");
}

TEST_F(StudyLevelsTest, AcceptedCarryOverRestoresTheShortNamesOfKnownLevels) {
  makeTable("daeNIVIMP", {{"ESO", "", ""}, {"BACH", "", ""}});
  makeTable("daeNIVIMP2", {{"OLD", "X", "Y"}, {"ESO", "ESO", "DBH"}});
  dialogs.answers = {true};
  ASSERT_TRUE(openLevels());
  EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"<levels panel>", restoreQuestion()}));
  EXPECT_EQ(shortNames("daeNIVIMP"), (Rows{{"ESO", "ESO", "DBH"}, {"BACH", "", ""}}));
  EXPECT_EQ(shortNames("daeNIVIMP2"), (Rows{{"OLD", "X", "Y"}, {"ESO", "ESO", "DBH"}}));
}

TEST_F(StudyLevelsTest, DeclinedCarryOverDeletesTheRememberedNames) {
  makeTable("daeNIVIMP", {{"ESO", "", ""}});
  makeTable("daeNIVIMP2", {{"OLD", "X", "Y"}, {"ESO", "ESO", "DBH"}});
  dialogs.answers = {false};
  ASSERT_TRUE(openLevels());
  EXPECT_EQ(shortNames("daeNIVIMP"), (Rows{{"ESO", "", ""}}));
  EXPECT_FALSE(dbase::tableExists(workspace.workFolder(), "daeNIVIMP2"));
  ASSERT_TRUE(typeShortNames(levels, "ESO", "E", "D"));
  ASSERT_TRUE(FinalRecogida(session, dialogs, levels));
  EXPECT_EQ(shortNames("daeNIVIMP2"), (Rows{{"ESO", "E", "D"}}));
}

TEST_F(StudyLevelsTest, AcceptingRemembersEveryLevelAndKeepsOldOnes) {
  makeTable("daeNIVIMP", {{"ESO", "", ""}, {"BACH", "", ""}});
  makeTable("daeNIVIMP2", {{"OLD", "X", "Y"}, {"ESO", "ESO", "DBH"}});
  dialogs.answers = {true};  // the carry-over accepted
  ASSERT_TRUE(openLevels());
  ASSERT_TRUE(typeShortNames(levels, "ESO", "", "DBH"));  // the Castellano name cleared
  ASSERT_TRUE(typeShortNames(levels, "BACH", "BACH", "BATX"));
  ASSERT_TRUE(FinalRecogida(session, dialogs, levels));
  EXPECT_EQ(session.FlagPaso, 0);
  EXPECT_TRUE(levels.isOpen());
  EXPECT_EQ(shortNames("daeNIVIMP2"),
            (Rows{{"OLD", "X", "Y"}, {"ESO", "", "DBH"}, {"BACH", "BACH", "BATX"}}));
  EXPECT_EQ(workspace.read("daeNIVIMP2", {"PLAN", "DESCCAST"}).back(),
            (std::vector<std::string>{"P", "Desc BACH"}));
}

TEST_F(StudyLevelsTest, RowBeingEditedIsPostedBeforeTheCheck) {
  makeTable("daeNIVIMP", {{"ESO", "ESO", ""}, {"BACH", "", ""}});
  ASSERT_TRUE(openLevels());
  levels.next();
  levels.edit();
  levels.setText("ABREVCAST", "eso");
  EXPECT_FALSE(FinalRecogida(session, dialogs, levels));
  EXPECT_EQ(dialogs.shown.back(), "Abreviatura en Castellano Repetida - Compruébelo.");
}

TEST_F(StudyLevelsTest, TypingIntoAnUnknownLevelIsRefused) {
  makeTable("daeNIVIMP", {{"ESO", "", ""}});
  ASSERT_TRUE(openLevels());
  EXPECT_FALSE(typeShortNames(levels, "FP", "FP", "LH"));
  EXPECT_EQ(shortNames("daeNIVIMP"), (Rows{{"ESO", "", ""}}));
}

struct RepeatCase {
  const char* name;
  std::vector<Level> levels;
  std::string message;  // empty when accepted
  std::string stopsAt;  // code of the current row after a repetition
};

const char* const kCastellano = "Abreviatura en Castellano Repetida - Compruébelo.";
const char* const kEuskera = "Abreviatura en Euskera Repetida - Compruébelo.";

const RepeatCase kRepeatCases[] = {
    {"SameCastellanoInOtherCase", {{"L1", "ESO", ""}, {"L2", "eso", ""}}, kCastellano, "L2"},
    {"SameEuskeraInOtherCase", {{"L1", "", "DBH"}, {"L2", "", "dbh"}}, kEuskera, "L2"},
    {"AccentedLettersInOtherCase", {{"L1", "\xC9SO", ""}, {"L2", "\xE9so", ""}}, kCastellano, "L2"},
    {"SameNameInEachLanguage", {{"L1", "ESO", ""}, {"L2", "", "ESO"}}, "", ""},
    {"EmptyNamesNeverRepeat", {{"L1", "", ""}, {"L2", "", ""}, {"L3", "", ""}}, "", ""},
    {"CastellanoIsCheckedFirstInARow", {{"L1", "A", "B"}, {"L2", "A", "B"}}, kCastellano, "L2"},
    {"FirstRepetitionInTableOrderWins",
     {{"L1", "A", "B"}, {"L2", "C", "B"}, {"L3", "A", "D"}},
     kEuskera,
     "L2"},
};

TEST_F(StudyLevelsTest, RepeatedShortNamesAreRefusedPerLanguage) {
  for (const RepeatCase& c : kRepeatCases) {
    SCOPED_TRACE(c.name);
    levels.close();
    deleteTableFile(workspace.workFolder(), "daeNIVIMP2");
    makeTable("daeNIVIMP", c.levels);
    dialogs.shown.clear();
    session.FlagPaso = 1;
    levels.open();
    const bool accepted = FinalRecogida(session, dialogs, levels);
    EXPECT_EQ(accepted, c.message.empty());
    EXPECT_EQ(session.FlagPaso, c.message.empty() ? 0 : 1);
    EXPECT_EQ(dialogs.shown,
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    EXPECT_EQ(dbase::tableExists(workspace.workFolder(), "daeNIVIMP2"), accepted);
    if (!accepted) {
      EXPECT_EQ(levels.text("COD"), c.stopsAt);
    }
  }
}

}  // namespace
}  // namespace dae_import
