#include "dae_export/timetable_build.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dae_export/import_workspace.h"
#include "dae_export/timetable_tables.h"
#include "support/dbase/index_check.h"
#include "support/dbase/table.h"

namespace dae_export {
namespace {

using import_test::ImportWorkspace;
using import_test::Lesson;
using import_test::NumberKind;
using import_test::Rows;

const std::vector<std::string> kTypeTwoFields = {
    "TIPREG",  "TIPDOC",   "ABREVPROF", "DOC",       "NUMSESION",    "DIASEM",  "TIPTAR",
    "HORAINI", "HORAFIN",  "GRUPNIV",   "ABREVASIG", "CODASIG",      "NOMASIG", "TIPASIG",
    "IDIOMA",  "AULA_OBS", "TIP_ACTIV", "PLAN",      "PROF_DIA_SES", "DIA_SES", "REG_MOD"};
const std::vector<std::string> kTypeThreeFields = {"TIPREG",    "ABREVGRUP", "CODGRUPO",     "TIPDOC",
                                                   "ABREVPROF", "DOC",       "NUMSESGRUP",   "DIASEM",
                                                   "NUMALUM",   "ALIASDAE",  "PROF_DIA_SES", "REG_MOD"};

// Teacher AB teaches 1A and 1B in day 1 hour 1 (the first with an unknown
// number of pupils); CD keeps a two-hour guard on day 2 from hour 3; ZZ, whom
// PROFT does not know, teaches 1A on day 5 hour 4; a lesson of day 0 and one
// without a teacher make nothing.
const std::vector<Lesson> kTimetable = {
    {"1", "1", "1", "AB", "1A", "MAT", "A12", "", "0"},  {"0", "2", "1", "AB", "1A", "MAT", "A12", "", "12"},
    {"1", "1", "1", "AB", "1B", "MAT", "A12", "", "20"}, {"2", "3", "2", "CD", "", "GUA", "", "", ""},
    {"3", "1", "1", "", "1A", "MAT", "A12", "", "12"},   {"5", "4", "1", "ZZ", "1A", "LEN", "B1", "", ""},
};

const Rows kTypeTwoRecords = {
    {"2",   "0001",     "AB",          "12345678Z", "01", "1",   "101", "08:00", "09:00",         "N001",
     "MAT", "ASIG0001", "Matemáticas", "",          "02", "A12", "",    "P002",  "AB        101", "101",
     "N"},
    {"2",    "",        "CD", "", "03", "2", "", "10:00",         "12:00", "", "GUA",
     "0102", "Guardia", "",   "", "",   "",  "", "CD        203", "203",   "N"},
    {"2",        "",       "ZZ", "",   "04", "5", "101",  "11:00",         "12:00", "N001", "LEN",
     "ASIG0002", "Lengua", "",   "02", "B1", "",  "P001", "ZZ        504", "504",   "N"},
};

const Rows kTypeThreeRecords = {
    {"3", "1A", "G0000001", "0001", "AB", "12345678Z", "01", "1", "28", "1º ESO A", "AB        101", "N"},
    {"3", "1B", "G0000002", "0001", "AB", "12345678Z", "01", "1", "20", "1º ESO B", "AB        101", "N"},
    {"3", "1A", "G0000001", "", "ZZ", "", "04", "5", "", "1º ESO A", "ZZ        504", "N"},
};

class TimetableBuildTest : public ::testing::Test {
 protected:
  TimetableBuildTest() { workspace.writeSchool(); }

  void build(WorkTables tables) { buildTimetableTables(workspace.workFolder(), tables); }
  Rows typeTwo() const { return workspace.readUtf8("CUADROH2", kTypeTwoFields); }
  Rows typeThree() const { return workspace.readUtf8("CUADROH3", kTypeThreeFields); }

  // Sets fields of the record of table whose PROF_DIA_SES (and ABREVGRUP,
  // when given) match, as the coding editor would.
  void type(const std::string& table, const std::string& key, const std::string& group,
            const std::vector<std::pair<std::string, std::string>>& fields) const {
    dbase::Table records(workspace.workFolder(), table);
    records.open();
    ASSERT_TRUE(group.empty() ? records.locate("PROF_DIA_SES", {key})
                              : records.locate("PROF_DIA_SES;ABREVGRUP", {key, group}));
    records.edit();
    for (const auto& [name, value] : fields) records.setText(name, value);
    records.post();
  }

  void expectConsistentIndexes() const {
    for (const char* table : {"CUADROH2", "CUADROH3"}) {
      EXPECT_EQ(dbase::checkIndexes(workspace.workFolder(), table), std::vector<std::string>{}) << table;
    }
  }

  ImportWorkspace workspace;
};

TEST_F(TimetableBuildTest, EverySessionOfTheTimetableBecomesRecords) {
  workspace.writeTimetable(kTimetable);
  build(WorkTables::Rebuild);
  EXPECT_EQ(typeTwo(), kTypeTwoRecords);
  EXPECT_EQ(typeThree(), kTypeThreeRecords);
  EXPECT_EQ(workspace.readUtf8("PROFT", {"ABREV", "NOMBRE", "DNI"}),
            (Rows{{"AB", "Ana Blanco", "12345678Z"},
                  {"CD", "Carlos Diez", ""},
                  {"O'NE", "Olga O'Neill", "87654321X"},
                  {"ZZ", "", ""}}));
  expectConsistentIndexes();
}

TEST_F(TimetableBuildTest, NumbersStoredAsIntegersDecimalsOrTextReadAlike) {
  for (const NumberKind kind : {NumberKind::Integer, NumberKind::Numeric, NumberKind::Character}) {
    SCOPED_TRACE(static_cast<int>(kind));
    workspace.writeTimetable(kTimetable, kind);
    build(WorkTables::Rebuild);
    EXPECT_EQ(typeTwo(), kTypeTwoRecords);
    EXPECT_EQ(typeThree(), kTypeThreeRecords);
  }
}

TEST_F(TimetableBuildTest, EmptyDayStoredAsTextCountsAsDayZero) {
  workspace.writeTimetable({{"", "1", "1", "AB", "1A", "MAT", "A12", "", "0"}}, NumberKind::Character);
  build(WorkTables::Rebuild);
  EXPECT_EQ(typeTwo(), Rows{});
}

TEST_F(TimetableBuildTest, RowsOfOneSessionMakeOneTypeTwoRecordAndOneTypeThreePerGroup) {
  workspace.writeTimetable({
      {"1", "1", "1", "AB", "1A", "GUA", "", "0101", ""},
      {"1", "1", "1", "AB", "1B", "MAT", "A12", "", ""},
      {"1", "1", "1", "AB", "1A", "MAT", "A12", "", "15"},
      {"1", "1", "1", "AB", "1A", "MAT", "A12", "", "16"},
  });
  build(WorkTables::Rebuild);
  // Always-fields from the last row, when-empty fields from the first that had a value.
  EXPECT_EQ(workspace.readUtf8("CUADROH2", {"TIPTAR", "ABREVASIG", "CODASIG", "IDIOMA", "AULA_OBS", "PLAN"}),
            (Rows{{"0101", "MAT", "ASIG0001", "02", "A12", "P001"}}));
  EXPECT_EQ(workspace.readUtf8("CUADROH3", {"ABREVGRUP", "NUMALUM"}), (Rows{{"1A", "15"}, {"1B", ""}}));
}

struct LessonCase {
  const char* name;
  Lesson lesson;
  std::vector<std::string> typeTwoFields;
  std::vector<std::string> typeTwo;
  std::vector<std::string> typeThreeFields;
  Rows typeThree;
};

const LessonCase kLessonCases[] = {
    {"LessonOfThreeSessionsEndsWithItsLastOne",
     {"1", "2", "3", "AB", "", "MAT", "", "", ""},
     {"HORAINI", "HORAFIN", "NUMSESION"},
     {"09:00", "12:00", "02"},
     {},
     {}},
    {"NoSessionCountIsOneSession",
     {"1", "2", "0", "AB", "", "MAT", "", "", ""},
     {"HORAINI", "HORAFIN"},
     {"09:00", "10:00"},
     {},
     {}},
    {"HourMissingFromTheClassHoursLeavesTimesEmpty",
     {"1", "20", "2", "AB", "", "MAT", "", "", ""},
     {"HORAINI", "HORAFIN", "PROF_DIA_SES"},
     {"03:00", "", "AB        120"},
     {},
     {}},
    {"UnknownPupilsOfAKnownGroupAreItsMaximum",
     {"1", "7", "1", "AB", "1B", "MAT", "", "", "0"},
     {"DIA_SES", "TIPTAR", "GRUPNIV", "PLAN"},
     {"107", "101", "N001", "P002"},
     {"NUMALUM", "CODGRUPO"},
     {{"25", "G0000002"}}},
    {"UnknownGroupLeavesPupilsAndTaskAsRead",
     {"1", "1", "1", "AB", "9Z", "MAT", "", "", "0"},
     {"TIPTAR", "GRUPNIV", "PLAN"},
     {"", "", ""},
     {"ABREVGRUP", "NUMALUM", "CODGRUPO", "ALIASDAE"},
     {{"9Z", "0", "", ""}}},
    {"GivenTaskIsKept",
     {"1", "1", "1", "AB", "1A", "MAT", "", "0100", "30"},
     {"TIPTAR"},
     {"0100"},
     {"NUMALUM"},
     {{"30"}}},
    {"UnknownSubjectLeavesItsCodesEmpty",
     {"1", "1", "1", "AB", "", "XYZ", "", "", ""},
     {"ABREVASIG", "CODASIG", "NOMASIG", "IDIOMA"},
     {"XYZ", "", "", ""},
     {},
     {}},
    {"TeacherWithAQuoteIsFoundInTheTeachers",
     {"4", "12", "1", "O'NE", "1A", "MAT", "", "", ""},
     {"TIPDOC", "DOC", "PROF_DIA_SES"},
     {"0001", "87654321X", "O'NE      412"},
     {"DOC"},
     {{"87654321X"}}},
};

TEST_F(TimetableBuildTest, WhatOneLessonTakesFromTheMasterTables) {
  for (const LessonCase& c : kLessonCases) {
    SCOPED_TRACE(c.name);
    workspace.writeTimetable({c.lesson});
    build(WorkTables::Rebuild);
    EXPECT_EQ(workspace.readUtf8("CUADROH2", c.typeTwoFields), Rows{c.typeTwo});
    EXPECT_EQ(workspace.readUtf8("CUADROH3", c.typeThreeFields), c.typeThree);
    EXPECT_EQ(workspace.readUtf8("PROFT", {"ABREV"}).size(), 3u);
  }
}

TEST_F(TimetableBuildTest, RebuildLosesEverythingTypedEarlier) {
  workspace.writeTimetable(kTimetable);
  build(WorkTables::Rebuild);
  type("CUADROH2", "CD        203", "", {{"TIPDOC", "0002"}, {"DOC", "X1234567L"}, {"TIP_ACTIV", "A01"}});
  build(WorkTables::Rebuild);
  EXPECT_EQ(typeTwo(), kTypeTwoRecords);
}

TEST_F(TimetableBuildTest, KeptTablesFollowTheTimetableAndKeepTheCodesTypedEarlier) {
  workspace.writeTimetable(kTimetable);
  build(WorkTables::Rebuild);
  type("CUADROH2", "AB        101", "",
       {{"TIPTAR", "0100"}, {"GRUPNIV", "N009"}, {"IDIOMA", "01"}, {"TIP_ACTIV", "A01"}, {"PLAN", "P009"}});
  type("CUADROH2", "ZZ        504", "", {{"TIPDOC", "0002"}, {"DOC", "X1234567L"}, {"NOMASIG", "Otra"}});
  type("CUADROH3", "AB        101", "1A", {{"CODGRUPO", "G0000099"}, {"NUMALUM", "99"}});
  type("CUADROH3", "ZZ        504", "1A", {{"TIPDOC", "0002"}, {"DOC", "X1234567L"}});

  // CD's guard and AB's 1B leave the timetable; AB gets 1B back in another
  // session and a new group joins ZZ's.
  workspace.writeTimetable({
      {"5", "4", "1", "ZZ", "1B", "LEN", "B1", "", "3"},
      {"1", "1", "1", "AB", "1A", "MAT", "A12", "", "0"},
      {"1", "2", "1", "AB", "1B", "MAT", "A12", "", "20"},
      {"5", "4", "1", "ZZ", "1A", "LEN", "B2", "", "4"},
  });
  build(WorkTables::Keep);

  EXPECT_EQ(
      workspace.readUtf8("CUADROH2", {"PROF_DIA_SES", "TIPDOC", "DOC", "TIPTAR", "GRUPNIV", "IDIOMA",
                                      "TIP_ACTIV", "PLAN", "NOMASIG", "AULA_OBS", "REG_MOD"}),
      (Rows{
          {"AB        101", "0001", "12345678Z", "0100", "N009", "02", "", "P001", "Matemáticas", "A12", "N"},
          {"ZZ        504", "0002", "X1234567L", "101", "N001", "02", "", "P001", "Lengua", "B2", "N"},
          {"AB        102", "0001", "12345678Z", "101", "N001", "02", "", "P002", "Matemáticas", "A12",
           "N"}}));
  EXPECT_EQ(workspace.readUtf8(
                "CUADROH3", {"PROF_DIA_SES", "ABREVGRUP", "CODGRUPO", "TIPDOC", "DOC", "NUMALUM", "REG_MOD"}),
            (Rows{{"AB        101", "1A", "G0000099", "0001", "12345678Z", "28", "N"},
                  {"ZZ        504", "1A", "G0000001", "0002", "X1234567L", "4", "N"},
                  {"ZZ        504", "1B", "G0000002", "", "", "3", "N"},
                  {"AB        102", "1B", "G0000002", "0001", "12345678Z", "20", "N"}}));
  expectConsistentIndexes();
}

// A kept table may hold deleted records and, written by another program,
// two records of one session: the build takes the first live one, as a
// search by the session key finds it, and the sweep removes the other.
TEST_F(TimetableBuildTest, KeptTableUpdatesTheFirstLiveRecordOfASession) {
  workspace.writeTimetable({{"1", "1", "1", "AB", "1A", "MAT", "A12", "", "0"}});
  build(WorkTables::Rebuild);
  for (const char* table : {"CUADROH2", "CUADROH3"}) {
    dbase::Table records(workspace.workFolder(), table);
    records.open();
    records.first();
    std::vector<dbase::Value> values;
    for (const dbase::FieldDef& field : records.fields()) values.push_back(records.text(field.name));
    records.remove();  // a deleted record of the session comes first
    for (const char* document : {"FIRST", "SECOND"}) {
      records.appendRecord(values);
      records.edit();
      records.setText("DOC", document);
      records.post();
    }
  }
  build(WorkTables::Keep);
  EXPECT_EQ(workspace.readUtf8("CUADROH2", {"PROF_DIA_SES", "DOC"}), (Rows{{"AB        101", "FIRST"}}));
  EXPECT_EQ(workspace.readUtf8("CUADROH3", {"PROF_DIA_SES", "ABREVGRUP", "DOC"}),
            (Rows{{"AB        101", "1A", "FIRST"}}));
  expectConsistentIndexes();
}

TEST_F(TimetableBuildTest, LongGroupNameIsMatchedAsStoredOnEveryBuild) {
  {
    // A SOLUC whose group field is wider than ABREVGRUP.
    dbase::Table timetable = dbase::recreateTable(
        workspace.workFolder(),
        {"SOLUC",
         {dbase::integerField("DIA"), dbase::integerField("HORA"), dbase::integerField("SESIONES"),
          dbase::characterField("PROF", 10), dbase::characterField("CODGRUPO", 12),
          dbase::characterField("ASIG", 10), dbase::characterField("AULA", 10),
          dbase::characterField("TAREA", 4), dbase::characterField("NALUM", 4)},
         {}});
    for (int i = 0; i < 2; ++i) {
      timetable.appendRecord({1, 1, 1, std::string("AB"), std::string("GRUPOLARGO12"), std::string("MAT"),
                              std::string(), std::string(), std::string("5")});
    }
  }
  build(WorkTables::Rebuild);
  build(WorkTables::Keep);
  EXPECT_EQ(workspace.readUtf8("CUADROH3", {"ABREVGRUP", "NUMALUM"}), (Rows{{"GRUPOLARGO", "5"}}));
}

struct KeyCase {
  const char* name;
  std::string teacher;
  int day;
  int session;
  std::string key;
};

const KeyCase kKeyCases[] = {
    {"ShortTeacherIsPadded", "AB", 3, 5, "AB        305"},
    {"TwoDigitSessionStays", "AB", 1, 12, "AB        112"},
    {"LongTeacherIsCut", "ABCDEFGHIJKL", 2, 7, "ABCDEFGHIJ207"},
    {"LongSessionIsCutAtThirteen", "AB", 1, 123, "AB        101"},
};

TEST(SessionKeyTest, TeacherDayAndTwoDigitSession) {
  for (const KeyCase& c : kKeyCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(sessionKey(c.teacher, c.day, c.session), c.key);
  }
}

}  // namespace
}  // namespace dae_export
