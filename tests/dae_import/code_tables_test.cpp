#include "dae_import/code_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dae_import/complete_export.h"
#include "dae_import/dae_loading.h"
#include "support/dbase/table.h"
#include "toolkit/fixed_record.h"
#include "toolkit/recording_dialogs.h"

namespace dae_import {
namespace {

using test_support::fixedRecord;
using test_support::RecordingDialogs;
using test_support::Rows;
using test_support::Workspace;

struct TableCase {
  const char* file;
  std::string record;
  const char* table;
  std::vector<std::string> fields;
  std::vector<std::string> row;
};

// One record per file with blanks around and inside its values.
const TableCase kTableCases[] = {
    {"T13.txt",
     fixedRecord(508, {{1, "L"},
                       {2, " 01 "},
                       {6, "N"},
                       {7,
                        "  Tutor\xED"
                        "a de grupo"},
                       {257, " Tutoretza"},
                       {507, "1"},
                       {508, "S"}}),
     "daeTIPTAR",
     {"TIPTAR", "COD", "REFUERZO", "DESCCAST", "DESCEUSK", "NIVEL", "OTRACTIV"},
     {"L", "01", "N",
      "Tutor\xED"
      "a de grupo",
      "Tutoretza", "1", "S"}},
    {"V55T12.txt",
     fixedRecord(128, {{1, " ESO1P1"},
                       {13, "ESO"},
                       {17, "0000"},
                       {21, "D"},
                       {25, " 1"},
                       {29, "Primero de ESO"},
                       {79, "DBH lehena"}}),
     "daeCURSOS",
     {"NIVPLANCURSO", "NIVEL", "ESPECIALIDAD", "TURNO", "CURSO", "DESCCAST", "DESCEUSK"},
     {"ESO1P1", "ESO", "0000", "D", "1", "Primero de ESO", "DBH lehena"}},
    // Position 20 is stored nowhere; the Basque text fills 21 to 34.
    {"V55T35.txt",
     fixedRecord(34, {{1, "A"}, {5, "Modelo A"}, {20, "X"}, {21, "A eredua luzea"}}),
     "daeMODELOS",
     {"COD", "DESCCAST", "DESCEUSK"},
     {"A", "Modelo A", "A eredua luzea"}},
    {"V55T15W18T54_1.txt",
     fixedRecord(260, {{1, "MAT"},
                       {9, " Matem\xE1ticas I "},
                       {109, "Matematika"},
                       {209, "Mat I"},
                       {229, "Mate"},
                       {249, "MA"},
                       {253, "MATE"},
                       {257, "OBL"}}),
     "daeASIGNAT",
     {"COD", "DESCCAST", "DESCEUSK", "DESCCASTR", "DESCEUSKR", "CODCAST", "CODEUSK", "TIPOASIG"},
     {"MAT", "Matem\xE1ticas I", "Matematika", "Mat I", "Mate", "MA", "MATE", "OBL"}},
    // The 3-character activity code goes into a 4-character field.
    {"T07.txt",
     fixedRecord(243, {{1, "001"}, {4, "Guardia"}, {104, "Zaintza"}, {204, "Guard"}, {224, "Zain"}}),
     "daeOTRACT",
     {"COD", "DESCCAST", "DESCEUSK", "DESCCASTR", "DESCEUSKR"},
     {"001", "Guardia", "Zaintza", "Guard", "Zain"}},
    {"V55T86.txt",
     fixedRecord(204, {{1, "DNI"}, {5, "Documento"}, {105, "Agiria"}}),
     "daeTIPDOC",
     {"COD", "DESCCAST", "DESCEUSK"},
     {"DNI", "Documento", "Agiria"}},
    {"V55T11.txt",
     fixedRecord(148, {{1, "ESO"}, {5, "P1"}, {9, "Secundaria"}, {59, "DBH"}, {109, "Sec"}, {129, "D"}}),
     "daeNIVIMP",
     {"COD", "PLAN", "DESCCAST", "DESCEUSK", "DESCCASTR", "DESCEUSKR", "ABREVCAST", "ABREVEUSK"},
     {"ESO", "P1", "Secundaria", "DBH", "Sec", "D", "", ""}},
    {"V55T14.txt",
     fixedRecord(104, {{1, "0000"}, {5, "General"}, {55, "Orokorra"}}),
     "daeESPECI",
     {"COD", "DESCCAST", "DESCEUSK"},
     {"0000", "General", "Orokorra"}},
    {"T55.txt",
     fixedRecord(210, {{1, "ES"}, {3, "Castellano"}, {103, "Gaztelania"}, {203, "CAS"}, {207, "GAZ"}}),
     "daeIDIOMA",
     {"IDIOMA", "DESCCAST", "DESCEUSK", "DESCCASTR", "DESCEUSKR"},
     {"ES", "Castellano", "Gaztelania", "CAS", "GAZ"}},
};

class CodeTablesTest : public ::testing::Test {
 protected:
  void SetUp() override { dae_test::writeCompleteExport(workspace); }

  bool load() { return loadCodeTables(session, dialogs); }

  Workspace workspace;
  run::Session session = workspace.session();
  RecordingDialogs dialogs;
};

TEST_F(CodeTablesTest, EachTableHoldsItsRecordsTrimmed) {
  for (const TableCase& c : kTableCases) workspace.writeDaeFile(c.file, c.record + c.record);
  ASSERT_TRUE(load());
  EXPECT_TRUE(dialogs.shown.empty());
  for (const TableCase& c : kTableCases) {
    SCOPED_TRACE(c.table);
    const Rows rows = workspace.read(c.table, c.fields);
    // daeNIVIMP keeps only the first record of a code.
    const Rows expected = std::string(c.table) == "daeNIVIMP" ? Rows{c.row} : Rows{c.row, c.row};
    EXPECT_EQ(rows, expected);
  }
}

TEST_F(CodeTablesTest, TablesHaveTheirFieldsInOrderWithoutIndex) {
  ASSERT_TRUE(load());
  dbase::Table levels(workspace.workFolder(), "daeNIVIMP");
  levels.open();
  EXPECT_EQ(levels.fields(), studyLevelFields());
  EXPECT_TRUE(levels.tags().empty());
  EXPECT_FALSE(workspace.workFileExists("daeNIVIMP.MDX"));
  dbase::Table courses(workspace.workFolder(), "daeCURSOS");
  courses.open();
  EXPECT_EQ(courses.fields().front(), dbase::characterField("NIVPLANCURSO", 12));
}

TEST_F(CodeTablesTest, OnlyTaskTypesLAndNGiveRows) {
  auto taskType = [](const std::string& type, const std::string& code) {
    return fixedRecord(508, {{1, type}, {2, code}});
  };
  workspace.writeDaeFile("T13.txt", taskType("C", "0001") + taskType("L", "0002") + taskType("l", "0003") +
                                        taskType("N", "0004") + taskType(" ", "0005"));
  ASSERT_TRUE(load());
  EXPECT_EQ(workspace.read("daeTIPTAR", {"TIPTAR", "COD"}), (Rows{{"L", "0002"}, {"N", "0004"}}));
}

TEST_F(CodeTablesTest, RepeatedLevelCodeKeepsTheFirstRecord) {
  workspace.writeDaeFile("V55T11.txt", fixedRecord(148, {{1, "ESO"}, {9, "Primera"}}) +
                                           fixedRecord(148, {{1, "eso"}, {9, "Minusculas"}}) +
                                           fixedRecord(148, {{1, " ESO"}, {9, "Segunda"}}));
  ASSERT_TRUE(load());
  EXPECT_EQ(workspace.read("daeNIVIMP", {"COD", "DESCCAST"}),
            (Rows{{"ESO", "Primera"}, {"eso", "Minusculas"}}));
}

TEST_F(CodeTablesTest, EmptyFileReplacesTheTableByAnEmptyOne) {
  ASSERT_TRUE(load());
  ASSERT_EQ(workspace.read("daeOTRACT", {"COD"}).size(), 1u);
  workspace.writeDaeFile("T07.txt", "");
  ASSERT_TRUE(load());
  EXPECT_TRUE(workspace.read("daeOTRACT", {"COD"}).empty());
}

struct MissingCase {
  const char* file;
  const char* message;
  std::vector<const char*> loaded;  // tables written before the missing file
};

const char* const kAllTables[] = {"daeTIPTAR", "daeCURSOS", "daeMODELOS",   "daeASIGNAT",
                                  "daeOTRACT", "daeTIPDOC", "daeNIVIMP",    "daeESPECI",
                                  "daeIDIOMA", "daeCENTRO", "daePLANTILLAS"};

const MissingCase kMissingCases[] = {
    {"T13.txt", "No existe archivo DAE (T13.TXT)", {}},
    {"V55T12.txt", "No existe archivo DAE (V55T12.txt)", {"daeTIPTAR"}},
    {"V55T35.txt", "No existe archivo DAE (V55T35.txt)", {"daeTIPTAR", "daeCURSOS"}},
    {"V55T15W18T54_1.txt",
     "No existe archivo DAE (V55T15W18T54_1.txt)",
     {"daeTIPTAR", "daeCURSOS", "daeMODELOS"}},
    {"T07.txt", "No existe archivo DAE (T07.txt)", {"daeTIPTAR", "daeCURSOS", "daeMODELOS", "daeASIGNAT"}},
    {"V55T86.txt",
     "No existe archivo DAE (V55T86.TXT)",
     {"daeTIPTAR", "daeCURSOS", "daeMODELOS", "daeASIGNAT", "daeOTRACT"}},
    {"V55T11.txt",
     "No existe archivo DAE (V55T11.txt)",
     {"daeTIPTAR", "daeCURSOS", "daeMODELOS", "daeASIGNAT", "daeOTRACT", "daeTIPDOC"}},
    {"V55T14.txt",
     "No existe archivo DAE (V55T14.txt)",
     {"daeTIPTAR", "daeCURSOS", "daeMODELOS", "daeASIGNAT", "daeOTRACT", "daeTIPDOC", "daeNIVIMP"}},
    {"T55.txt",
     "No existe archivo DAE (T55.txt)",
     {"daeTIPTAR", "daeCURSOS", "daeMODELOS", "daeASIGNAT", "daeOTRACT", "daeTIPDOC", "daeNIVIMP",
      "daeESPECI"}},
    {"profesorado.txt",
     "No existe archivo DAE de Profesores (profesorado.txt)",
     {"daeTIPTAR", "daeCURSOS", "daeMODELOS", "daeASIGNAT", "daeOTRACT", "daeTIPDOC", "daeNIVIMP",
      "daeESPECI", "daeIDIOMA"}},
};

TEST(RecogeCodigosDAE, MissingFileStopsTheLoadingThere) {
  for (const MissingCase& c : kMissingCases) {
    SCOPED_TRACE(c.file);
    Workspace workspace;
    dae_test::writeCompleteExport(workspace);
    workspace.removeDaeFile(c.file);
    run::Session session = workspace.session();
    session.CodigoResultado = 1;
    RecordingDialogs dialogs;
    EXPECT_FALSE(RecogeCodigosDAE(session, dialogs));
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{c.message});
    EXPECT_EQ(session.CodigoResultado, -1);
    for (const char* table : kAllTables) {
      const bool loaded = std::find(c.loaded.begin(), c.loaded.end(), std::string(table)) != c.loaded.end();
      EXPECT_EQ(dbase::tableExists(workspace.workFolder(), table), loaded) << table;
    }
  }
}

TEST(RecogeCodigosDAE, MissingFileKeepsTheEarlierRunsTablesFromThereOn) {
  Workspace workspace;
  dae_test::writeCompleteExport(workspace);
  run::Session session = workspace.session();
  RecordingDialogs dialogs;
  ASSERT_TRUE(RecogeCodigosDAE(session, dialogs));
  workspace.writeDaeFile("T13.txt", fixedRecord(508, {{1, "N"}, {2, "9999"}}));
  workspace.writeDaeFile("V55T14.txt", fixedRecord(104, {{1, "NEW"}}));
  workspace.removeDaeFile("V55T86.txt");
  EXPECT_FALSE(RecogeCodigosDAE(session, dialogs));
  EXPECT_EQ(workspace.read("daeTIPTAR", {"COD"}), Rows{{"9999"}});
  EXPECT_EQ(workspace.read("daeTIPDOC", {"COD"}), Rows{{"DNI"}});
  EXPECT_EQ(workspace.read("daeESPECI", {"COD"}), Rows{{"0000"}});
  EXPECT_EQ(workspace.read("daeCENTRO", {"CODCENTRO"}), Rows{{"012345"}});
}

TEST(RecogeCodigosDAE, EarlierAssignmentsAndDaysAndHoursAreDroppedFirst) {
  Workspace workspace;
  dae_test::writeCompleteExport(workspace);
  workspace.removeDaeFile("T13.txt");
  for (const char* table : {"ASIGT", "DIASHORAST"}) {
    dbase::recreateTable(workspace.workFolder(), {table, {dbase::characterField("X", 1)}, {}});
  }
  run::Session session = workspace.session();
  RecordingDialogs dialogs;
  EXPECT_FALSE(RecogeCodigosDAE(session, dialogs));
  EXPECT_FALSE(dbase::tableExists(workspace.workFolder(), "ASIGT"));
  EXPECT_FALSE(dbase::tableExists(workspace.workFolder(), "DIASHORAST"));
}

TEST(RecogeCodigosDAE, CompleteFolderLoadsCentreAndTemplates) {
  Workspace workspace;
  dae_test::writeCompleteExport(workspace);
  run::Session session = workspace.session();
  session.CodigoResultado = 1;
  RecordingDialogs dialogs;
  EXPECT_TRUE(RecogeCodigosDAE(session, dialogs));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(session.CodigoResultado, 1);
  EXPECT_EQ(workspace.read("daeCENTRO", {"CODCENTRO", "ANOACAD", "VERSION"}), (Rows{{"012345", "2024", ""}}));
  EXPECT_EQ(workspace.read("daePLANTILLAS", {"CODIGO", "PLANTILLA"}), (Rows{{"A",
                                                                             "Ma\xF1"
                                                                             "ana"},
                                                                            {"PLANB", "Tarde"}}));
}

}  // namespace
}  // namespace dae_import
