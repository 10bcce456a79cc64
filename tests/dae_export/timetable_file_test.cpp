#include "dae_export/timetable_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "dae_export/import_workspace.h"
#include "dae_export/timetable_tables.h"
#include "support/cp1252.h"
#include "support/dbase/table.h"
#include "support/error.h"
#include "toolkit/recording_dialogs.h"

namespace dae_export {
namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

const std::string kCrLf = "\r\n";

class TimetableFileTest : public ::testing::Test {
 protected:
  TimetableFileTest() {
    workspace.writeCentre("014987", "2025", "1");
    CreaCuadros(workspace.workFolder());
  }

  void add(const std::string& table, const Fields& fields) const {
    dbase::Table records(workspace.workFolder(), table);
    records.open();
    records.append();
    for (const auto& [name, value] : fields) records.setText(name, support::utf8ToCp1252(value));
    records.post();
  }

  // A type-2 record of teacher in day 1, session 01, with these fields.
  void addTypeTwo(const std::string& teacher, const std::string& daySession, Fields fields) const {
    fields.insert(fields.begin(), {{"TIPREG", "2"}, {"PROF_DIA_SES", sessionKey(teacher, daySession)}});
    add("CUADROH2", fields);
  }

  void addTypeThree(const std::string& teacher, const std::string& daySession, Fields fields) const {
    fields.insert(fields.begin(), {{"TIPREG", "3"}, {"PROF_DIA_SES", sessionKey(teacher, daySession)}});
    add("CUADROH3", fields);
  }

  static std::string sessionKey(const std::string& teacher, const std::string& daySession) {
    return dae_export::sessionKey(teacher, std::stoi(daySession.substr(0, 1)),
                                  std::stoi(daySession.substr(1)));
  }

  // Writes the file through fresh handles on the three tables.
  bool write() {
    dbase::Table centre(workspace.workFolder(), "daeCENTRO");
    dbase::Table typeTwo(workspace.workFolder(), "CUADROH2");
    dbase::Table typeThree(workspace.workFolder(), "CUADROH3");
    for (dbase::Table* table : {&centre, &typeTwo, &typeThree}) table->open();
    return CreaTXTCuadroHorario(workspace.session().CarpetaDAE, centre, typeTwo, typeThree, dialogs);
  }

  import_test::ImportWorkspace workspace;
  test_support::RecordingDialogs dialogs;
};

// The common part of a type-2 line with every field at its nominal width.
const Fields kTeachingFields = {{"TIPDOC", "0001"},   {"DOC", "12345678Z"}, {"NUMSESION", "03"},
                                {"DIASEM", "2"},      {"TIPTAR", "101"},    {"HORAINI", "10:00"},
                                {"HORAFIN", "11:00"}, {"AULA_OBS", "A12"},  {"CODASIG", "ASIG0001"},
                                {"IDIOMA", "02"},     {"GRUPNIV", "N001"},  {"PLAN", "P001"}};
const std::string kCommonPart =
    "2"
    "0001"
    "12345678Z      "
    "03"
    "2"
    "101 "
    "10:00"
    "11:00"
    "A1200000";

Fields with(Fields fields, const Fields& changes) {
  for (const auto& [name, value] : changes) {
    bool replaced = false;
    for (auto& field : fields) {
      if (field.first == name) {
        field.second = value;
        replaced = true;
      }
    }
    if (!replaced) fields.emplace_back(name, value);
  }
  return fields;
}

struct LineCase {
  const char* name;
  Fields fields;
  std::string line;
};

const LineCase kTypeTwoCases[] = {
    {"TeachingLineEndsWithSubjectTypeAndLanguage", kTeachingFields,
     kCommonPart + "ASIG0001"
                   " "
                   "02"},
    {"ActivityLineEndsWithActivityLevelAndPlan", with(kTeachingFields, {{"TIP_ACTIV", "A01"}}),
     kCommonPart + "A01"
                   "N001"
                   "P001"},
    {"ThreeBlankActivityCountsAsEmpty", with(kTeachingFields, {{"TIP_ACTIV", "   "}}),
     kCommonPart + "ASIG0001"
                   " "
                   "02"},
    {"ActivityWithoutLevelAndPlanEndsAfterTheActivity",
     with(kTeachingFields, {{"TIP_ACTIV", "A01"}, {"GRUPNIV", ""}, {"PLAN", ""}}), kCommonPart + "A01"},
    {"EmptyDocumentTypeMovesTheRestFourPlacesLeft", with(kTeachingFields, {{"TIPDOC", ""}}),
     "2"
     "12345678Z      "
     "03"
     "2"
     "101 "
     "10:00"
     "11:00"
     "A1200000"
     "ASIG0001"
     " "
     "02"},
    {"EmptyTimesTakeNoPlace", with(kTeachingFields, {{"HORAINI", ""}, {"HORAFIN", ""}}),
     "2"
     "0001"
     "12345678Z      "
     "03"
     "2"
     "101 "
     "A1200000"
     "ASIG0001"
     " "
     "02"},
    {"EmptyRoomIsAllZeros", with(kTeachingFields, {{"AULA_OBS", ""}}),
     "2"
     "0001"
     "12345678Z      "
     "03"
     "2"
     "101 "
     "10:00"
     "11:00"
     "00000000"
     "ASIG0001"
     " "
     "02"},
    {"LongRoomIsCutToEight", with(kTeachingFields, {{"AULA_OBS", "AULA-GRANDE"}}),
     "2"
     "0001"
     "12345678Z      "
     "03"
     "2"
     "101 "
     "10:00"
     "11:00"
     "AULA-GRA"
     "ASIG0001"
     " "
     "02"},
    {"ShortSubjectCodeAndEmptyLanguageArePadded",
     with(kTeachingFields, {{"CODASIG", "0102"}, {"IDIOMA", ""}}),
     kCommonPart + "0102    "
                   " "
                   "  "},
};

TEST_F(TimetableFileTest, TypeTwoLines) {
  for (const LineCase& c : kTypeTwoCases) {
    SCOPED_TRACE(c.name);
    CreaCuadros(workspace.workFolder());
    addTypeTwo("AB", "203", c.fields);
    ASSERT_TRUE(write());
    EXPECT_EQ(workspace.outputFile(), "1CH0149872025" + kCrLf + c.line + kCrLf);
  }
}

TEST_F(TimetableFileTest, TypeThreeLinesFollowTheirSessionInTheOrderTheyWereAdded) {
  addTypeTwo("CD", "101", with(kTeachingFields, {{"DOC", "X1234567L"}}));
  addTypeTwo("AB", "203", kTeachingFields);
  addTypeThree("AB", "203",
               {{"CODGRUPO", "G0000002"}, {"NUMSESGRUP", "03"}, {"NUMALUM", "7"}, {"ALIASDAE", "1º ESO B"}});
  addTypeThree("CD", "101", {{"CODGRUPO", "G0000009"}, {"NUMSESGRUP", "01"}, {"NUMALUM", ""}});
  addTypeThree("AB", "203",
               {{"CODGRUPO", "G0000001"}, {"NUMSESGRUP", "03"}, {"NUMALUM", "28"}, {"ALIASDAE", "1º ESO A"}});
  addTypeTwo("AB", "102", with(kTeachingFields, {{"NUMSESION", "02"}, {"DIASEM", "1"}}));
  ASSERT_TRUE(write());

  const std::string aliasA = support::utf8ToCp1252("1º ESO A") + std::string(42, ' ');
  const std::string aliasB = support::utf8ToCp1252("1º ESO B") + std::string(42, ' ');
  EXPECT_EQ(workspace.outputFile(), "1CH0149872025" + kCrLf +
                                        "2"
                                        "0001"
                                        "12345678Z      "
                                        "02"
                                        "1"
                                        "101 "
                                        "10:00"
                                        "11:00"
                                        "A1200000"
                                        "ASIG0001"
                                        " "
                                        "02" +
                                        kCrLf + kCommonPart +
                                        "ASIG0001"
                                        " "
                                        "02" +
                                        kCrLf +
                                        "3"
                                        "G0000002"
                                        "00"
                                        "03"
                                        "0007" +
                                        aliasB + "G0000002" + kCrLf +
                                        "3"
                                        "G0000001"
                                        "00"
                                        "03"
                                        "0028" +
                                        aliasA + "G0000001" + kCrLf +
                                        "2"
                                        "0001"
                                        "X1234567L      "
                                        "03"
                                        "2"
                                        "101 "
                                        "10:00"
                                        "11:00"
                                        "A1200000"
                                        "ASIG0001"
                                        " "
                                        "02" +
                                        kCrLf +
                                        "3"
                                        "G0000009"
                                        "00"
                                        "01"
                                        "0000" +
                                        std::string(50, ' ') + "G0000009" + kCrLf);
}

TEST_F(TimetableFileTest, TeacherWithAQuoteKeepsTheGroupsOfItsSessions) {
  addTypeTwo("O'NE", "101", kTeachingFields);
  addTypeThree("O'NE", "101", {{"CODGRUPO", "G0000001"}, {"NUMSESGRUP", "01"}, {"NUMALUM", "12"}});
  ASSERT_TRUE(write());
  EXPECT_EQ(workspace.outputFile(), "1CH0149872025" + kCrLf + kCommonPart +
                                        "ASIG0001"
                                        " "
                                        "02" +
                                        kCrLf + "3" +
                                        "G0000001"
                                        "00"
                                        "01"
                                        "0012" +
                                        std::string(50, ' ') + "G0000001" + kCrLf);
}

TEST_F(TimetableFileTest, HeaderIsPaddedAndAnEarlierFileIsReplaced) {
  workspace.writeCentre("01498", "", "1");
  std::ofstream(workspace.daeFolder() / "fCUADROS.txt", std::ios::binary)
      << "an earlier file, longer than the new one";
  ASSERT_TRUE(write());
  EXPECT_EQ(workspace.outputFile(), "1CH01498     " + kCrLf);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TimetableFileTest, MissingFolderIsReportedAndNothingIsWritten) {
  dbase::Table centre(workspace.workFolder(), "daeCENTRO");
  dbase::Table typeTwo(workspace.workFolder(), "CUADROH2");
  dbase::Table typeThree(workspace.workFolder(), "CUADROH3");
  for (dbase::Table* table : {&centre, &typeTwo, &typeThree}) table->open();
  const std::string missing = (workspace.daeFolder() / "missing" / "").string();
  EXPECT_FALSE(CreaTXTCuadroHorario(missing, centre, typeTwo, typeThree, dialogs));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"No existe la carpeta"});
  EXPECT_FALSE(std::filesystem::exists(workspace.daeFolder() / "missing"));
}

TEST_F(TimetableFileTest, FileThatCannotBeWrittenIsAnErrorNamingIt) {
  std::filesystem::create_directory(workspace.daeFolder() / "fCUADROS.txt");
  try {
    write();
    FAIL() << "no error";
  } catch (const support::Error& e) {
    EXPECT_NE(std::string(e.what()).find("fCUADROS.txt"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(std::filesystem::is_directory(workspace.daeFolder() / "fCUADROS.txt"));
}

TEST_F(TimetableFileTest, PendingEditIsWritten) {
  addTypeTwo("AB", "203", kTeachingFields);
  dbase::Table centre(workspace.workFolder(), "daeCENTRO");
  dbase::Table typeTwo(workspace.workFolder(), "CUADROH2");
  dbase::Table typeThree(workspace.workFolder(), "CUADROH3");
  for (dbase::Table* table : {&centre, &typeTwo, &typeThree}) table->open();
  typeTwo.edit();
  typeTwo.setText("DOC", "99999999R");
  ASSERT_TRUE(CreaTXTCuadroHorario(workspace.session().CarpetaDAE, centre, typeTwo, typeThree, dialogs));
  EXPECT_NE(workspace.outputFile().find("99999999R"), std::string::npos);
}

TEST_F(TimetableFileTest, CallersViewsKeepTheirOrderLinkAndPositionWhenTheFileFails) {
  addTypeTwo("ZU", "101", kTeachingFields);
  addTypeTwo("AB", "203", kTeachingFields);
  addTypeThree("AB", "203", {{"CODGRUPO", "G1"}});
  std::filesystem::create_directory(workspace.daeFolder() / "fCUADROS.txt");
  dbase::Table centre(workspace.workFolder(), "daeCENTRO");
  dbase::Table typeTwo(workspace.workFolder(), "CUADROH2");
  dbase::Table typeThree(workspace.workFolder(), "CUADROH3");
  for (dbase::Table* table : {&centre, &typeTwo, &typeThree}) table->open();
  typeThree.linkTo(typeTwo, "PROF_DIA_SES", "PROF_DIA_SES");
  typeTwo.last();  // physical order: AB's session
  EXPECT_THROW(CreaTXTCuadroHorario(workspace.session().CarpetaDAE, centre, typeTwo, typeThree, dialogs),
               support::Error);
  EXPECT_EQ(typeTwo.selectedTag(), "");
  EXPECT_EQ(typeTwo.text("PROF_DIA_SES"), sessionKey("AB", "203"));
  EXPECT_EQ(typeThree.text("CODGRUPO"), "G1");
  typeTwo.first();  // the detail still follows its master
  EXPECT_TRUE(typeThree.atEnd());
}

}  // namespace
}  // namespace dae_export
