#include "dae_export/coding_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dae_export/timetable_tables.h"
#include "run/session.h"
#include "support/cp1252.h"
#include "support/dbase/table.h"
#include "support/error.h"
#include "timetabler_tables/code_table_defs.h"
#include "toolkit/recording_dialogs.h"
#include "toolkit/temp_folder.h"

namespace dae_export {
namespace {

using dbase::characterField;
using Fields = std::vector<std::pair<std::string, std::string>>;

const std::string kNotTeachingLine = "No debe modificar este dato. Esta línea NO es de carácter Lectivo.";
const std::string kTeachingLine = "No debe modificar este dato. Esta línea ES de carácter Lectivo.";
const std::string kTeacherWithoutDocument =
    "           !!!ATENCIÓN!!!                 \r"
    "Todavía hay algún Profesor SIN DOCumento(DNI).\r"
    "       ¿Desea corregir esta incidencia?       ";

dbase::TableDef teachersDef() {
  return {"PROFT",
          {characterField("ABREV", 10), characterField("NOMBRE", 80), characterField("DEPART", 40),
           characterField("DNI", 15), characterField("TIPODNI", 4), characterField("EMAIL", 100)},
          {{"ABREV", "ABREV"}}};
}

// The session key of teacher's record for day and session ("101").
std::string keyOf(const std::string& teacher, const std::string& daySession) {
  return sessionKey(teacher, std::stoi(daySession.substr(0, 1)), std::stoi(daySession.substr(1)));
}

class CodingRulesTest : public ::testing::Test {
 protected:
  CodingRulesTest() {
    using namespace timetabler_tables;
    dbase::recreateTable(folder(), {"daeCENTRO",
                                    {characterField("CODCENTRO", 6), characterField("ANOACAD", 4),
                                     characterField("VERSION", 5)},
                                    {}})
        .appendRecord({std::string("014987"), std::string("2025"), std::string("1")});
    dbase::recreateTable(folder(), teachersDef());
    dbase::recreateTable(folder(), typeTwoTable());
    dbase::recreateTable(folder(), typeThreeTable());
    dbase::recreateTable(folder(), {"daeTIPDOC",
                                    {characterField("COD", 4), characterField("DESCCAST", 100),
                                     characterField("DESCEUSK", 100)},
                                    {}});
    dbase::recreateTable(folder(), daeTaskTypesDef());
    dbase::Table levels = dbase::recreateTable(folder(), daeLevelsDef());
    levels.appendRecord({std::string("N001"), std::string("P001")});
    levels.appendRecord({std::string("N002"), std::string("P002")});
    dbase::Table subjects = dbase::recreateTable(folder(), daeSubjectsDef());
    subjects.appendRecord(
        {std::string("ASIG0001"), support::utf8ToCp1252("Matemáticas"), std::string("Matematika")});
    subjects.appendRecord(
        {std::string("ASIG0002"), support::utf8ToCp1252("Lengua Castellana"), std::string("Gaztelania")});
    dbase::recreateTable(folder(), {"daeIDIOMA",
                                    {characterField("IDIOMA", 2), characterField("DESCCAST", 100),
                                     characterField("DESCEUSK", 100), characterField("DESCCASTR", 4),
                                     characterField("DESCEUSKR", 4)},
                                    {}});
    dbase::recreateTable(folder(), daeActivitiesDef());
  }

  const std::filesystem::path& folder() const { return work_.path(); }

  void addTeacher(const std::string& abrev, const std::string& type, const std::string& number) const {
    dbase::Table teachers(folder(), "PROFT");
    teachers.open();
    teachers.appendRecord({abrev, std::string("Nombre ") + abrev, std::string(), number, type});
  }

  void addRecord(const std::string& table, const Fields& fields) const {
    dbase::Table records(folder(), table);
    records.open();
    records.append();
    for (const auto& [name, value] : fields) records.setText(name, value);
    records.post();
  }

  // A type-2 record of teacher for day and session ("101"), with extra fields.
  void addSession(const std::string& teacher, const std::string& daySession, Fields extra = {}) const {
    Fields fields = {{"TIPREG", "2"},
                     {"ABREVPROF", teacher},
                     {"DIASEM", daySession.substr(0, 1)},
                     {"NUMSESION", daySession.substr(1)},
                     {"PROF_DIA_SES", keyOf(teacher, daySession)},
                     {"DIA_SES", daySession},
                     {"REG_MOD", "N"}};
    fields.insert(fields.end(), extra.begin(), extra.end());
    addRecord("CUADROH2", fields);
  }

  void addGroup(const std::string& teacher, const std::string& daySession, const std::string& group) const {
    addRecord("CUADROH3", {{"TIPREG", "3"},
                           {"ABREVGRUP", group},
                           {"ABREVPROF", teacher},
                           {"NUMSESGRUP", daySession.substr(1)},
                           {"DIASEM", daySession.substr(0, 1)},
                           {"PROF_DIA_SES", keyOf(teacher, daySession)},
                           {"REG_MOD", "N"}});
  }

  // Every record of table as "ABREVPROF keyfield TIPDOC DOC", in physical order.
  std::vector<std::string> documents(const std::string& table, const std::string& keyField) const {
    dbase::Table records(folder(), table);
    records.open({.readOnly = true});
    std::vector<std::string> rows;
    for (records.first(); !records.atEnd(); records.next()) {
      rows.push_back(records.text("ABREVPROF") + " " + records.text(keyField) + " " + records.text("TIPDOC") +
                     " " + records.text("DOC"));
    }
    return rows;
  }

  test_support::TempFolder work_;
};

TEST_F(CodingRulesTest, OpeningStandsOnTheFirstTeacherAndItsFirstAppendedRecord) {
  addTeacher("ZZ", "", "");
  addTeacher("AA", "", "");
  addSession("AA", "305");
  addSession("AA", "101");
  addGroup("AA", "305", "2B");
  addGroup("AA", "305", "1A");

  CodingTables tables(folder());
  tables.open();

  EXPECT_EQ(tables.teachers.text("ABREV"), "AA");
  EXPECT_EQ(tables.sessions.text("DIA_SES"), "305");
  EXPECT_EQ(tables.sessionGroups.text("ABREVGRUP"), "2B");
  tables.sessions.next();
  EXPECT_EQ(tables.sessions.text("DIA_SES"), "101");
  EXPECT_TRUE(tables.sessionGroups.atEnd());
}

TEST_F(CodingRulesTest, TypedDocumentReachesEveryRecordOfTheTeacherOnly) {
  addTeacher("AB", "", "");
  addTeacher("CD", "DNI", "11111111H");
  addSession("AB", "101");
  addSession("CD", "101", {{"TIPDOC", "DNI"}, {"DOC", "11111111H"}});
  addSession("AB", "203");
  addSession("AB", "102");
  addGroup("AB", "101", "1A");
  addGroup("AB", "101", "1B");
  addGroup("CD", "101", "2A");
  addGroup("AB", "203", "1A");

  CodingTables tables(folder());
  tables.open();
  ASSERT_EQ(tables.teachers.text("ABREV"), "AB");
  // The grids show the teacher's first session and its second group.
  tables.sessionGroups.next();
  ASSERT_EQ(tables.sessionGroups.text("ABREVGRUP"), "1B");

  // Typed in the teachers grid, not yet saved.
  tables.teachers.edit();
  tables.teachers.setText("TIPODNI", "NIE");
  tables.teachers.setText("DNI", "X1234567L");
  propagateTeacherDocument(tables);

  EXPECT_EQ(tables.teachers.state(), dbase::EditState::Edit);
  EXPECT_EQ(tables.sessions.text("DIA_SES"), "101");
  EXPECT_EQ(tables.sessionGroups.text("ABREVGRUP"), "1B");
  tables.close();

  EXPECT_EQ(documents("CUADROH2", "DIA_SES"),
            (std::vector<std::string>{"AB 101 NIE X1234567L", "CD 101 DNI 11111111H", "AB 203 NIE X1234567L",
                                      "AB 102 NIE X1234567L"}));
  EXPECT_EQ(documents("CUADROH3", "ABREVGRUP"),
            (std::vector<std::string>{"AB 1A NIE X1234567L", "AB 1B NIE X1234567L", "CD 2A  ",
                                      "AB 1A NIE X1234567L"}));
}

TEST_F(CodingRulesTest, EnteredDocumentIsSavedOnTheTeacherAndItsRecords) {
  addTeacher("AB", "", "");
  addTeacher("CD", "", "");
  addSession("CD", "415");
  addGroup("CD", "415", "3C");

  CodingTables tables(folder());
  tables.open();
  EXPECT_TRUE(enterTeacherDocument(tables, "CD", "DNI", "22222222J"));
  EXPECT_FALSE(enterTeacherDocument(tables, "XX", "DNI", "33333333P"));
  tables.close();

  dbase::Table teachers(folder(), "PROFT");
  teachers.open({.readOnly = true});
  ASSERT_TRUE(teachers.locate("ABREV", {"CD"}));
  EXPECT_EQ(teachers.text("TIPODNI") + " " + teachers.text("DNI"), "DNI 22222222J");
  EXPECT_EQ(documents("CUADROH2", "DIA_SES"), (std::vector<std::string>{"CD 415 DNI 22222222J"}));
  EXPECT_EQ(documents("CUADROH3", "ABREVGRUP"), (std::vector<std::string>{"CD 3C DNI 22222222J"}));
}

// Teachers T0000.. besides "MM", half before it in ABREV order and half
// after, each with sessions (one group each) spread over the week.
void addSchool(const std::filesystem::path& folder, int teachers, int sessionsEach) {
  dbase::Table proft(folder, "PROFT");
  dbase::Table two(folder, "CUADROH2");
  dbase::Table three(folder, "CUADROH3");
  for (dbase::Table* t : {&proft, &two, &three}) t->open();
  for (int t = 0; t < teachers; ++t) {
    const std::string abrev = (t % 2 == 0 ? "A" : "Z") + std::to_string(t);
    proft.appendRecord({abrev});
    for (int s = 0; s < sessionsEach; ++s) {
      const std::string key = sessionKey(abrev, 1 + s % 5, 1 + s / 5);
      two.appendRecord({std::string("2"), std::string(), abrev});
      two.edit();
      two.setText("PROF_DIA_SES", key);
      two.post();
      three.appendRecord({std::string("3"), std::string("G") + std::to_string(s)});
      three.edit();
      three.setText("ABREVPROF", abrev);
      three.setText("PROF_DIA_SES", key);
      three.post();
    }
  }
}

TEST_F(CodingRulesTest, EnteringADocumentTestsTheTeachersRecordsOnlyWhateverTheTableSizes) {
  // MM has 8 sessions with 2 groups each: 24 records.
  constexpr int kOwnRecords = 24;
  addTeacher("MM", "", "");
  for (int s = 0; s < 8; ++s) {
    const std::string daySession = std::to_string(1 + s % 5) + "0" + std::to_string(1 + s / 5);
    addSession("MM", daySession);
    addGroup("MM", daySession, "1A");
    addGroup("MM", daySession, "1B");
  }
  std::vector<std::uint64_t> tested;
  for (const int teachers : {4, 300}) {
    SCOPED_TRACE(std::to_string(teachers) + " other teachers");
    addSchool(folder(), teachers, 20);
    CodingTables tables(folder());
    tables.open();
    const std::uint64_t before = dbase::recordsTested();
    ASSERT_TRUE(enterTeacherDocument(tables, "MM", "DNI", "22222222J"));
    tested.push_back(dbase::recordsTested() - before);
    EXPECT_LE(tested.back(), 4 * kOwnRecords);
    tables.close();
    EXPECT_EQ(documents("CUADROH2", "DIA_SES")[0], "MM 101 DNI 22222222J");
  }
  EXPECT_EQ(tested[0], tested[1]);
}

struct LineCase {
  const char* name;
  const char* codasig;
  bool teaching;
};

const LineCase kLineCases[] = {
    {"SubjectCodeIsTeaching", "ASIG0001", true},           {"FiveCharactersAreTeaching", "12345", true},
    {"TaskTypeCodeIsNotTeaching", "0101", false},          {"ActivityCodeIsNotTeaching", "001", false},
    {"BlanksAroundAShortCodeDoNotCount", "  0101", false}, {"EmptyCodeIsNotTeaching", "", false},
};

TEST_F(CodingRulesTest, LineKindDecidesWhichListMayBeUsed) {
  addTeacher("AB", "", "");
  for (const LineCase& c : kLineCases) addSession("AB", "101", {{"CODASIG", c.codasig}});

  CodingTables tables(folder());
  tables.open();
  for (const LineCase& c : kLineCases) {
    SCOPED_TRACE(c.name);
    ASSERT_FALSE(tables.sessions.atEnd());
    test_support::RecordingDialogs dialogs;
    EXPECT_EQ(isTeachingLine(tables.sessions), c.teaching);
    EXPECT_EQ(enterSubjectList(tables.sessions, dialogs), c.teaching);
    EXPECT_EQ(enterActivityList(tables.sessions, dialogs), !c.teaching);
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{c.teaching ? kTeachingLine : kNotTeachingLine});
    tables.sessions.next();
  }
}

TEST_F(CodingRulesTest, ChosenSubjectGivesItsCastellanoName) {
  addTeacher("AB", "", "");
  addSession("AB", "101", {{"CODASIG", "ASIG0001"}, {"NOMASIG", "Matematika"}});

  CodingTables tables(folder());
  tables.open();
  // Leaving the list without a change still corrects the name.
  takeSubjectName(tables);
  EXPECT_EQ(tables.sessions.text("NOMASIG"), support::utf8ToCp1252("Matemáticas"));
  // Choosing another subject.
  tables.sessions.setText("CODASIG", "ASIG0002");
  takeSubjectName(tables);
  EXPECT_EQ(tables.sessions.text("NOMASIG"), "Lengua Castellana");
  EXPECT_EQ(tables.sessions.state(), dbase::EditState::Edit);
}

TEST_F(CodingRulesTest, SubjectNameStaysOnNonTeachingLinesAndUnknownSubjects) {
  addTeacher("AB", "", "");
  addSession("AB", "101", {{"CODASIG", "0101"}, {"NOMASIG", "Guardia"}});
  addSession("AB", "102", {{"CODASIG", "ASIG9999"}, {"NOMASIG", "Taller"}});

  CodingTables tables(folder());
  tables.open();
  for (const char* name : {"Guardia", "Taller"}) {
    takeSubjectName(tables);
    EXPECT_EQ(tables.sessions.text("NOMASIG"), name);
    EXPECT_EQ(tables.sessions.state(), dbase::EditState::Browse);
    tables.sessions.next();
  }
}

struct PlanCase {
  const char* name;
  const char* level;
  const char* expectedPlan;
};

const PlanCase kPlanCases[] = {
    {"ChosenLevelGivesItsPlan", "N002", "P002"},
    {"EmptyLevelClearsThePlan", "", ""},
    {"LevelNotInTheListKeepsThePlan", "ZZZZ", "OLD"},
};

TEST_F(CodingRulesTest, LevelGivesThePlan) {
  addTeacher("AB", "", "");
  for (std::size_t i = 0; i < std::size(kPlanCases); ++i) {
    addSession("AB", "101", {{"GRUPNIV", "N001"}, {"PLAN", "OLD"}});
  }

  CodingTables tables(folder());
  tables.open();
  for (const PlanCase& c : kPlanCases) {
    SCOPED_TRACE(c.name);
    tables.sessions.edit();
    tables.sessions.setText("GRUPNIV", c.level);  // what the list writes
    takePlanFromLevel(tables);
    EXPECT_EQ(tables.sessions.text("PLAN"), c.expectedPlan);
    tables.sessions.next();  // saves the row
  }
  tables.close();

  dbase::Table sessions(folder(), "CUADROH2");
  sessions.open({.readOnly = true});
  for (const PlanCase& c : kPlanCases) {
    EXPECT_EQ(sessions.text("PLAN"), c.expectedPlan) << c.name;
    sessions.next();
  }
}

class FinishCodingTest : public CodingRulesTest {
 protected:
  FinishOutcome finish(CodingTables& tables) {
    return finishCoding(tables, session, dialogs, [this](CodingTables& open) {
      ++writerCalls;
      EXPECT_TRUE(open.sessions.isOpen());
      return folderExists;
    });
  }

  FinishCodingTest() { session.FlagPaso = 1; }  // as after the work tables were built

  run::Session session;
  test_support::RecordingDialogs dialogs;
  int writerCalls = 0;
  bool folderExists = true;
};

TEST_F(FinishCodingTest, EveryDocumentPresentWritesTheFileAndCloses) {
  addTeacher("AB", "DNI", "11111111H");
  addTeacher("CD", "", "X1234567L");  // no type: the check looks at the number only

  CodingTables tables(folder());
  tables.open();
  const FinishOutcome outcome = finish(tables);

  EXPECT_TRUE(outcome.editorCloses);
  EXPECT_EQ(outcome.ResultadoAjuste, 0);
  EXPECT_EQ(session.FlagPaso, 0);
  EXPECT_EQ(writerCalls, 1);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(tables.teachers.isOpen());
}

TEST_F(FinishCodingTest, MissingOutputFolderEndsWithoutTheFile) {
  addTeacher("AB", "DNI", "11111111H");
  folderExists = false;

  CodingTables tables(folder());
  tables.open();
  const FinishOutcome outcome = finish(tables);

  EXPECT_TRUE(outcome.editorCloses);
  EXPECT_EQ(outcome.ResultadoAjuste, 4);
  EXPECT_EQ(session.FlagPaso, 4);
  EXPECT_EQ(writerCalls, 1);
}

TEST_F(FinishCodingTest, DecliningToCorrectEndsWithoutTheFile) {
  addTeacher("ZZ", "", "");
  addTeacher("AB", "DNI", "11111111H");
  addTeacher("MM", "DNI", "");
  dialogs.answers = {false};

  CodingTables tables(folder());
  tables.open();
  const FinishOutcome outcome = finish(tables);

  EXPECT_TRUE(outcome.editorCloses);
  EXPECT_EQ(outcome.ResultadoAjuste, 4);
  EXPECT_EQ(session.FlagPaso, 4);
  EXPECT_EQ(writerCalls, 0);
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{kTeacherWithoutDocument});  // asked once
  EXPECT_FALSE(tables.teachers.isOpen());
}

TEST_F(FinishCodingTest, AgreeingToCorrectKeepsTheEditorOnTheFirstTeacherWithoutDocument) {
  addTeacher("ZZ", "", "");
  addTeacher("AB", "DNI", "11111111H");
  addTeacher("MM", "DNI", "");
  dialogs.answers = {true};

  CodingTables tables(folder());
  tables.open();
  const FinishOutcome outcome = finish(tables);

  EXPECT_FALSE(outcome.editorCloses);
  EXPECT_EQ(session.FlagPaso, 1);
  EXPECT_EQ(writerCalls, 0);
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{kTeacherWithoutDocument});
  ASSERT_TRUE(tables.teachers.isOpen());
  EXPECT_EQ(tables.teachers.text("ABREV"), "MM");

  // Corrected, "&Terminar" again writes the file.
  ASSERT_TRUE(enterTeacherDocument(tables, "MM", "DNI", "22222222J"));
  ASSERT_TRUE(enterTeacherDocument(tables, "ZZ", "DNI", "33333333P"));
  const FinishOutcome second = finish(tables);
  EXPECT_TRUE(second.editorCloses);
  EXPECT_EQ(session.FlagPaso, 0);
  EXPECT_EQ(writerCalls, 1);
}

TEST_F(FinishCodingTest, WriterErrorLeavesTheEditorOpen) {
  addTeacher("AB", "DNI", "11111111H");

  CodingTables tables(folder());
  tables.open();
  EXPECT_THROW(
      finishCoding(tables, session, dialogs,
                   [](CodingTables&) -> bool { throw support::Error("No se puede crear fCUADROS.txt"); }),
      support::Error);
  EXPECT_EQ(session.FlagPaso, 1);
  EXPECT_TRUE(tables.teachers.isOpen());
}

}  // namespace
}  // namespace dae_export
