#include "dae_import/centre.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dae_import/complete_export.h"
#include "support/dbase/table.h"
#include "toolkit/recording_dialogs.h"

namespace dae_import {
namespace {

using test_support::RecordingDialogs;
using test_support::Rows;
using test_support::Workspace;

struct HeaderCase {
  const char* name;
  std::string line;
  std::string code;
  std::string year;
};

const HeaderCase kHeaderCases[] = {
    {"CodeAndYearAfterThreeCharacters", "XXX0123452024ZZZZ", "012345", "2024"},
    {"InnerBlanksAreKept", "XXX01 345 0 4", "01 345", " 0 4"},
    {"ShortLineGivesShortValues", "XXX0123", "0123", ""},
    {"EmptyLineGivesEmptyValues", "", "", ""},
};

TEST(CentreHeader, CodeAndYearAreTakenUntrimmed) {
  for (const HeaderCase& c : kHeaderCases) {
    SCOPED_TRACE(c.name);
    Workspace workspace;
    workspace.writeDaeFile("profesorado.txt", c.line);
    run::Session session = workspace.session();
    RecordingDialogs dialogs;
    ASSERT_TRUE(loadCentreHeader(session, dialogs));
    EXPECT_EQ(workspace.read("daeCENTRO", {"CODCENTRO", "ANOACAD", "VERSION"}), (Rows{{c.code, c.year, ""}}));
  }
}

TEST(CentreHeader, MissingTeachersFileLeavesTheCentreTable) {
  Workspace workspace;
  CreaCentro(workspace.workFolder())
      .appendRecord({std::string("OLD"), std::string("1999"), std::string("1")});
  run::Session session = workspace.session();
  session.CodigoResultado = 1;
  RecordingDialogs dialogs;
  EXPECT_FALSE(loadCentreHeader(session, dialogs));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"No existe archivo DAE de Profesores (profesorado.txt)"});
  EXPECT_EQ(session.CodigoResultado, -1);
  EXPECT_EQ(workspace.read("daeCENTRO", {"CODCENTRO"}), Rows{{"OLD"}});
}

TEST(MuestraCentro, MissingCentreTableIsReported) {
  Workspace workspace;
  run::Session session = workspace.session();
  session.CodigoResultado = 1;
  RecordingDialogs dialogs;
  dbase::Table centre(workspace.workFolder(), "daeCENTRO");
  EXPECT_FALSE(MuestraCentro(session, dialogs, centre));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"No existe archivo del Centro (daeCENTRO.DBF)"});
  EXPECT_EQ(session.CodigoResultado, -1);
  EXPECT_FALSE(centre.isOpen());
}

TEST(MuestraCentro, PutsTheRowInEditAndAnEmptyTableGetsANewRow) {
  Workspace workspace;
  run::Session session = workspace.session();
  RecordingDialogs dialogs;
  CreaCentro(workspace.workFolder());
  dbase::Table centre(workspace.workFolder(), "daeCENTRO");
  ASSERT_TRUE(MuestraCentro(session, dialogs, centre));
  EXPECT_EQ(centre.state(), dbase::EditState::Insert);
  centre.setText("CODCENTRO", "111111");
  centre.post();
  ASSERT_TRUE(MuestraCentro(session, dialogs, centre));
  EXPECT_EQ(centre.state(), dbase::EditState::Edit);
  EXPECT_EQ(centre.text("CODCENTRO"), "111111");
  EXPECT_TRUE(dialogs.shown.empty());
}

struct CompletenessCase {
  const char* name;
  std::string code;
  std::string year;
  std::string version;
  bool complete;
};

const CompletenessCase kCompletenessCases[] = {
    {"AllFilled", "012345", "2024", "1", true},
    {"VersionEmpty", "012345", "2024", "", false},
    {"CodeOnlyBlanks", "   ", "2024", "1", false},
    {"YearEmpty", "012345", "", "1", false},
};

TEST(CentreDataComplete, AllThreeFieldsMustBeFilled) {
  for (const CompletenessCase& c : kCompletenessCases) {
    SCOPED_TRACE(c.name);
    Workspace workspace;
    CreaCentro(workspace.workFolder());
    dbase::Table centre(workspace.workFolder(), "daeCENTRO");
    centre.open();
    centre.edit();  // the row typed by the user, not yet posted
    centre.setText("CODCENTRO", c.code);
    centre.setText("ANOACAD", c.year);
    centre.setText("VERSION", c.version);
    EXPECT_EQ(centreDataComplete(centre), c.complete);
    EXPECT_EQ(centre.recordCount(), 1);
  }
}

TEST(CentreDataComplete, EmptyTableIsIncomplete) {
  Workspace workspace;
  CreaCentro(workspace.workFolder());
  dbase::Table centre(workspace.workFolder(), "daeCENTRO");
  EXPECT_FALSE(centreDataComplete(centre));
}

}  // namespace
}  // namespace dae_import
