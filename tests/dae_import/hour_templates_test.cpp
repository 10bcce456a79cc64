#include "dae_import/hour_templates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dae_import/complete_export.h"
#include "run/session.h"
#include "support/error.h"
#include "toolkit/recording_dialogs.h"

namespace dae_import {
namespace {

using dae_test::periodRecord;
using dae_test::templateHeader;
using test_support::RecordingDialogs;
using test_support::Rows;
using test_support::Workspace;

const std::vector<std::string> kNoTemplateFile = {
    "No existe archivo DAE (Plantillas.txt o T02.txt)",
    "Pero podrá Crear su Plantilla Horaria, cuando Exporte la Solución del Horario."};

const std::vector<std::string> kAllFields = {"DIHO",     "CODDIHO",      "DIA",       "TEXTODIA", "HORA",
                                             "TEXTOHOR", "HORADESDE",    "HORAHASTA", "MINUTOS",  "MARCO",
                                             "MARCOXML", "SESION_ORDEN", "PLANTILLA", "RECREO"};

class HourTemplatesTest : public ::testing::Test {
 protected:
  void list() { listTemplates(session, dialogs); }

  Rows listed() { return workspace.read("daePLANTILLAS", {"CODIGO", "PLANTILLA"}); }

  // Lists the templates, chooses code (the first row when empty) and builds.
  bool build(const std::string& code = "") {
    list();
    AbrePlantillasDAE(templates);
    if (!code.empty()) {
      EXPECT_TRUE(chooseTemplate(templates, code));
    }
    return buildDaysAndHours(session, dialogs, templates);
  }

  Rows daysAndHours(const std::vector<std::string>& fields) { return workspace.read("DIASHORAST", fields); }

  Workspace workspace;
  run::Session session = workspace.session();
  RecordingDialogs dialogs;
  dbase::Table templates{workspace.workFolder(), "daePLANTILLAS"};
};

TEST_F(HourTemplatesTest, EveryHeaderIsListedInFileOrder) {
  workspace.writeDaeFile("PLANTILLAS.txt", templateHeader("A", "Uno") +
                                               periodRecord("01", "1", "08:00", "09:00") +
                                               templateHeader("B", "Dos") + templateHeader("C", " Tres ") +
                                               periodRecord("01", "1", "08:00", "09:00"));
  list();
  EXPECT_EQ(listed(), (Rows{{"A", "Uno"}, {"B", "Dos"}, {"C", " Tres"}}));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(HourTemplatesTest, SecondFileIsUsedOnlyWithoutTheFirst) {
  workspace.writeDaeFile("T02.txt", templateHeader("T02", "Segundo"));
  list();
  EXPECT_EQ(listed(), (Rows{{"T02", "Segundo"}}));
  workspace.writeDaeFile("plantillas.TXT", templateHeader("P", "Primero"));
  list();
  EXPECT_EQ(listed(), (Rows{{"P", "Primero"}}));
}

TEST_F(HourTemplatesTest, NoTemplateFileLeavesAnEmptyListAndTheResultAlone) {
  session.CodigoResultado = 1;
  list();
  EXPECT_EQ(dialogs.shown, kNoTemplateFile);
  EXPECT_EQ(session.CodigoResultado, 1);
  EXPECT_TRUE(listed().empty());
}

TEST_F(HourTemplatesTest, ChosenTemplateGivesExactlyItsPeriods) {
  dae_test::writeCompleteExport(workspace);
  ASSERT_TRUE(build("PLANB"));
  EXPECT_EQ(daysAndHours(kAllFields), (Rows{{"31", "", "3", "Mi\xE9rcoles", "1", "1-15:00-15:50", "15:00",
                                             "15:50", "50", "0", "", "1", "PLANB", "N"},
                                            {"32", "", "3", "Mi\xE9rcoles", "2", "2-15:50-16:20", "15:50",
                                             "16:20", "30", "0", "", "2", "PLANB", "S"},
                                            {"210", "", "2", "Martes", "10", "10-16:20-17:10", "16:20",
                                             "17:10", "50", "0", "", "10", "PLANB", "N"}}));
  EXPECT_FALSE(templates.isOpen());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(HourTemplatesTest, ShortCodeIsFoundAndTheFirstRowIsTheDefault) {
  dae_test::writeCompleteExport(workspace);
  ASSERT_TRUE(build());
  EXPECT_EQ(daysAndHours({"DIHO", "PLANTILLA"}), (Rows{{"11", "A"}, {"12", "A"}}));
}

struct PeriodCase {
  const char* name;
  std::string record;
  std::vector<std::string> row;  // DIHO, DIA, TEXTODIA, HORA, TEXTOHOR, MINUTOS, SESION_ORDEN
};

const PeriodCase kPeriodCases[] = {
    {"MondayThirdPeriod",
     periodRecord("03", "1", "08:30", "09:25"),
     {"13", "1", "Lunes", "3", "3-08:30-09:25", "55", "3"}},
    {"TenthPeriodOnTuesday",
     periodRecord("10", "2", "10:00", "10:30"),
     {"210", "2", "Martes", "10", "10-10:00-10:30", "30", "10"}},
    {"EndBeforeStartIsNegative",
     periodRecord("04", "5", "10:00", "09:45"),
     {"54", "5", "Viernes", "4", "4-10:00-09:45", "-15", "4"}},
    {"LeadingBlankConverts",
     periodRecord(" 5", "6", "11:00", "12:00"),
     {"65", "6",
      "S\xE1"
      "bado",
      "5", "5-11:00-12:00", "60", "5"}},
    {"Sunday",
     periodRecord("01", "7", "09:00", "09:05"),
     {"71", "7", "Domingo", "1", "1-09:00-09:05", "5", "1"}},
    {"Thursday",
     periodRecord("02", "4", "09:00", "09:05"),
     {"42", "4", "Jueves", "2", "2-09:00-09:05", "5", "2"}},
    {"DayOutOfRangeBeforeAnyHasNoName",
     periodRecord("01", "9", "09:00", "09:05"),
     {"91", "9", "", "1", "1-09:00-09:05", "5", "1"}},
};

TEST_F(HourTemplatesTest, PeriodRecordsBecomeRows) {
  for (const PeriodCase& c : kPeriodCases) {
    SCOPED_TRACE(c.name);
    workspace.writeDaeFile("PLANTILLAS.txt", templateHeader("X", "X") + c.record);
    ASSERT_TRUE(build());
    EXPECT_EQ(daysAndHours({"DIHO", "DIA", "TEXTODIA", "HORA", "TEXTOHOR", "MINUTOS", "SESION_ORDEN"}),
              Rows{c.row});
  }
}

TEST_F(HourTemplatesTest, DayOutOfRangeKeepsThePreviousName) {
  workspace.writeDaeFile("PLANTILLAS.txt", templateHeader("X", "X") +
                                               periodRecord("01", "3", "08:00", "09:00") +
                                               templateHeader("Y", "Y") + templateHeader("X", "X") +
                                               periodRecord("02", "0", "09:00", "10:00"));
  ASSERT_TRUE(build("X"));
  EXPECT_EQ(daysAndHours({"DIHO", "TEXTODIA"}), (Rows{{"31", "Mi\xE9rcoles"}, {"02", "Mi\xE9rcoles"}}));
}

TEST_F(HourTemplatesTest, ConversionErrorKeepsTheRowsWrittenBefore) {
  workspace.writeDaeFile("PLANTILLAS.txt", templateHeader("X", "X") +
                                               periodRecord("01", "1", "08:00", "09:00") +
                                               periodRecord("2 ", "1", "09:00", "10:00") +
                                               periodRecord("03", "1", "10:00", "11:00"));
  list();
  AbrePlantillasDAE(templates);
  try {
    buildDaysAndHours(session, dialogs, templates);
    FAIL() << "no error";
  } catch (const support::Error& error) {
    EXPECT_STREQ(error.what(), "'2 ' is not a valid integer value");
  }
  EXPECT_EQ(daysAndHours({"DIHO"}), Rows{{"11"}});
}

// The numbers of a period record are decimal: a '$' hexadecimal number is
// refused as a letter is.
struct NotDecimalCase {
  const char* name;
  std::string record;
  std::string error;
};

const NotDecimalCase kNotDecimal[] = {
    {"Period", periodRecord("$A", "1", "08:00", "09:00"), "'$A' is not a valid integer value"},
    {"Day", periodRecord("01", "$", "08:00", "09:00"), "'$' is not a valid integer value"},
    {"StartHour", periodRecord("01", "1", "$A:00", "11:00"), "'$A' is not a valid integer value"},
    {"EndMinutes", periodRecord("01", "1", "08:00", "09:$F"), "'$F' is not a valid integer value"},
};

TEST_F(HourTemplatesTest, HexadecimalNumbersAreRefused) {
  for (const NotDecimalCase& c : kNotDecimal) {
    SCOPED_TRACE(c.name);
    workspace.writeDaeFile("PLANTILLAS.txt", templateHeader("X", "X") + c.record);
    list();
    AbrePlantillasDAE(templates);
    try {
      buildDaysAndHours(session, dialogs, templates);
      ADD_FAILURE() << "no error";
    } catch (const support::Error& error) {
      EXPECT_EQ(std::string(error.what()), c.error);
    }
    EXPECT_TRUE(daysAndHours({"DIHO"}).empty());
    templates.close();
  }
}

TEST_F(HourTemplatesTest, BadTimeStopsTheBuild) {
  workspace.writeDaeFile("PLANTILLAS.txt",
                         templateHeader("X", "X") + periodRecord("01", "1", "8h:00", "09:00"));
  list();
  AbrePlantillasDAE(templates);
  EXPECT_THROW(buildDaysAndHours(session, dialogs, templates), support::Error);
  EXPECT_TRUE(daysAndHours({"DIHO"}).empty());
}

TEST_F(HourTemplatesTest, HeaderAtTheEndGivesAnEmptyTable) {
  workspace.writeDaeFile(
      "PLANTILLAS.txt",
      templateHeader("A", "A") + periodRecord("01", "1", "08:00", "09:00") + templateHeader("Z", "Z"));
  list();
  EXPECT_EQ(listed(), (Rows{{"A", "A"}, {"Z", "Z"}}));
  AbrePlantillasDAE(templates);
  ASSERT_TRUE(chooseTemplate(templates, "Z"));
  EXPECT_TRUE(buildDaysAndHours(session, dialogs, templates));
  EXPECT_TRUE(dbase::tableExists(workspace.workFolder(), "DIASHORAST"));
  EXPECT_TRUE(daysAndHours({"DIHO"}).empty());
}

TEST_F(HourTemplatesTest, EveryBlockOfTheChosenCodeIsWritten) {
  workspace.writeDaeFile("PLANTILLAS.txt",
                         templateHeader("A", "A") + periodRecord("01", "1", "08:00", "09:00") +
                             templateHeader("B", "B") + periodRecord("01", "2", "08:00", "09:00") +
                             templateHeader("A", "A bis") + periodRecord("01", "3", "08:00", "09:00"));
  ASSERT_TRUE(build("A"));
  EXPECT_EQ(daysAndHours({"DIHO"}), (Rows{{"11"}, {"31"}}));
}

TEST_F(HourTemplatesTest, NoTemplateFileOnOkBuildsNothing) {
  workspace.writeDaeFile("PLANTILLAS.txt", templateHeader("A", "A"));
  list();
  AbrePlantillasDAE(templates);
  workspace.removeDaeFile("PLANTILLAS.txt");
  EXPECT_FALSE(buildDaysAndHours(session, dialogs, templates));
  EXPECT_EQ(dialogs.shown, kNoTemplateFile);
  EXPECT_FALSE(dbase::tableExists(workspace.workFolder(), "DIASHORAST"));
}

TEST_F(HourTemplatesTest, MissingTemplateListOnOkBuildsNothingSilently) {
  dae_test::writeCompleteExport(workspace);
  EXPECT_FALSE(buildDaysAndHours(session, dialogs, templates));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(dbase::tableExists(workspace.workFolder(), "DIASHORAST"));
}

}  // namespace
}  // namespace dae_import
