#include "timetabler_tables/assignments.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "builder_fixture.h"
#include "support/error.h"

namespace timetabler_tables {
namespace {

dbase::TableDef subjectsDef() {
  using namespace dbase;
  return {"ASIGNOMT",
          {characterField("COD", 10), characterField("CODLARGO", 10), characterField("NOMBRE", 80),
           characterField("CODIGODAE", 8), logicalField("ESTAREA"), characterField("DENIVEL", 5),
           characterField("DECURSO", 3)},
          {}};
}

dbase::TableDef groupsDef() {
  using namespace dbase;
  std::vector<FieldDef> fields = {characterField("ABREV", 10),   characterField("TURNO", 1),
                                  characterField("NIVEL", 5),    characterField("CURSO", 3),
                                  characterField("GRUPO", 2),    characterField("AULAGRUDAE", 8),
                                  characterField("CODGRUDAE", 8)};
  for (const char* key :
       {"PLANDAE", "NIVELDAE", "ESPECDAE", "TURNODAE", "CURSODAE", "MODELODAE", "TIPGRUDAE"}) {
    fields.push_back(characterField(key, 4));
  }
  fields.push_back(characterField("CODPLANTIDAE", 8));
  return {"GRUPOST", fields, {}};
}

// A GRUPOST row: short name, level, course and the DAE plan, level and
// speciality; the other fields are derived from them.
std::vector<std::string> group(const std::string& abrev, const std::string& nivel, const std::string& curso,
                               const std::string& plan, const std::string& level,
                               const std::string& speciality) {
  return {abrev,        "M",          nivel, curso, abrev.substr(abrev.size() - 1),
          "A-" + abrev, "G-" + abrev, plan,  level, speciality,
          "0001",       "00" + curso, "D",   "T1",  "PLANT01"};
}

std::string curriculumRecord(const std::string& level, const std::string& plan, const std::string& speciality,
                             const std::string& subject) {
  return fixedRecord(20, {{1, level}, {5, plan}, {9, speciality}, {13, subject}});
}

class AssignmentsTest : public BuilderTest {
 protected:
  void SetUp() override {
    makeTable(subjectsDef(), {{"MAT", "00000101", "Matematicas", "00000101"},
                              {"LEN", "00000102", "Lengua", "00000102"},
                              {"0101", "L0101-NS", "Guardia", "0101"}});
    makeTable(groupsDef(), {group("ESO011", "ESO", "01", "P001", "0010", "0001"),
                            group("ESO012", "ESO", "01", "P001", "0010", "0001"),
                            group("ESO021", "ESO", "02", "P002", "0010", "0001"),
                            group("BAC011", "BAC", "01", "P003", "0030", "0002")});
  }
  void build(const std::string& line) {
    writeDaeFile("V55T15W18T54_2.txt", line);
    EXPECT_EQ(CreaAsignaciones(session, dialogs), BuildOutcome::Built);
  }
  Rows assignments() { return read("ASIGT", {"CASIG", "CGRUP", "CLAVEPLAN", "CLAVEASIG"}); }
  Rows levelAndCourse() { return read("ASIGNOMT", {"COD", "DENIVEL", "DECURSO"}); }
};

TEST_F(AssignmentsTest, AssignmentCarriesTheGroupAndDefaults) {
  build(curriculumRecord("0010", "P001", "0001", "00000101"));
  EXPECT_EQ(
      read("ASIGT", {"CASIG",       "CPROF",       "CGRUP",     "CAULA",      "TURNO",      "NIVEL",
                     "CURSO",       "GRUPO",       "HORAS",     "SESIONES",   "CTAREA",     "CLAVEGRUPO",
                     "CLAVETURNO",  "CLAVENIVEL",  "CLAVEPLAN", "CLAVECURSO", "CLAVEESPEC", "CLAVEMODEL",
                     "CLAVETIPGRU", "CLAVEPLANTI", "CLAVEASIG"}),
      (Rows{{"MAT",  "",     "ESO011", "A-ESO011", "M",        "ESO",     "01",
             "1",    "4",    "1111",   "0100",     "G-ESO011", "0001",    "0010",
             "P001", "0001", "0001",   "D",        "T1",       "PLANT01", "00000101"}}));
  dbase::Table table(workFolder(), "ASIGT");
  table.open({.readOnly = true});
  table.first();
  EXPECT_EQ(table.number("HORAS"), 4.0);
  EXPECT_EQ(table.fields()[8].type, dbase::FieldType::Double);
  EXPECT_TRUE(dialogs.shown.empty());
}

struct MatchCase {
  const char* name;
  std::vector<std::string> records;
  Rows assignments;  // CASIG, CGRUP, CLAVEPLAN, CLAVEASIG
};

std::vector<MatchCase> matchCases() {
  const std::string mat = curriculumRecord("0010", "P001", "0001", "00000101");
  return {
      {"OnlyFirstGroupOfPlanLevelAndSpeciality", {mat}, {{"MAT", "ESO011", "P001", "00000101"}}},
      {"RepeatedLineGivesOneAssignment", {mat, mat}, {{"MAT", "ESO011", "P001", "00000101"}}},
      {"EachSubjectAndGroupOnce",
       {mat, curriculumRecord("0010", "P001", "0001", "00000102"),
        curriculumRecord("0010", "P002", "0001", "00000101")},
       {{"MAT", "ESO011", "P001", "00000101"},
        {"LEN", "ESO011", "P001", "00000102"},
        {"MAT", "ESO021", "P002", "00000101"}}},
      {"UnknownSubjectGivesNone", {curriculumRecord("0010", "P001", "0001", "00000999")}, {}},
      {"UnknownGroupGivesNone", {curriculumRecord("0010", "P009", "0001", "00000101")}, {}},
      {"SubjectCodeIsComparedWithoutTrailingBlanks",
       {curriculumRecord("0010", "P001", "0001", "0101")},
       {{"0101", "ESO011", "P001", "0101"}}},
      {"BlankSubjectCodeNamesNoSubject", {curriculumRecord("0010", "P001", "0001", "")}, {}},
      {"EmptyFile", {}, {}},
  };
}

TEST_F(AssignmentsTest, CurriculumLinesAreMatchedToGroupAndSubject) {
  for (const MatchCase& c : matchCases()) {
    SCOPED_TRACE(c.name);
    std::string line;
    for (const std::string& record : c.records) line += record;
    build(line);
    EXPECT_EQ(assignments(), c.assignments);
  }
}

TEST_F(AssignmentsTest, CodeWithTrailingBlanksMatchesNoGroupEvenWhenStoredShort) {
  makeTable(groupsDef(), {group("ESO011", "ESO", "01", "P1", "0010", "0001")});
  build(curriculumRecord("0010", "P1", "0001", "00000101"));
  EXPECT_TRUE(assignments().empty());
}

TEST_F(AssignmentsTest, FirstSubjectInTableOrderIsTaken) {
  makeTable(subjectsDef(), {{"MAT", "00000101", "", "00000101"}, {"MAT1", "00000101", "", "00000101"}});
  build(curriculumRecord("0010", "P001", "0001", "00000101"));
  EXPECT_EQ(assignments(), (Rows{{"MAT", "ESO011", "P001", "00000101"}}));
}

struct LevelCase {
  const char* name;
  std::vector<std::string> plans;  // one MAT line per plan, in order
  std::vector<std::string> matLevelAndCourse;
};

TEST_F(AssignmentsTest, SubjectKeepsLevelAndCourseOfItsFirstGroup) {
  // One MAT line for each plan: P001 and P002 are groups of level ESO, P003 of BAC.
  const std::map<std::string, std::string> matLine = {
      {"P001", curriculumRecord("0010", "P001", "0001", "00000101")},
      {"P002", curriculumRecord("0010", "P002", "0001", "00000101")},
      {"P003", curriculumRecord("0030", "P003", "0002", "00000101")},
  };
  const LevelCase cases[] = {
      {"FirstGroupGivesLevelAndCourse", {"P001"}, {"ESO", "01"}},
      {"SecondGroupOfSameLevelEmptiesCourse", {"P001", "P002"}, {"ESO", ""}},
      {"OtherLevelLeavesThemAlone", {"P001", "P002", "P003"}, {"ESO", ""}},
      {"OtherLevelFirst", {"P003", "P001"}, {"BAC", "01"}},
      {"NoAssignmentLeavesThemEmpty", {}, {"", ""}},
  };
  for (const LevelCase& c : cases) {
    SCOPED_TRACE(c.name);
    makeTable(subjectsDef(), {{"MAT", "00000101", "", "00000101"}, {"LEN", "00000102", "", "00000102"}});
    std::string line;
    for (const std::string& plan : c.plans) line += matLine.at(plan);
    build(line);
    EXPECT_EQ(levelAndCourse(),
              (Rows{{"MAT", c.matLevelAndCourse[0], c.matLevelAndCourse[1]}, {"LEN", "", ""}}));
  }
}

TEST_F(AssignmentsTest, MissingGroupsTableIsAnErrorAfterAssignmentsAreRecreated) {
  std::filesystem::remove(workFile("GRUPOST.DBF"));
  writeDaeFile("V55T15W18T54_2.txt", curriculumRecord("0010", "P001", "0001", "00000101"));
  EXPECT_THROW(CreaAsignaciones(session, dialogs), support::Error);
  EXPECT_TRUE(read("ASIGT", {"CASIG"}).empty());
}

}  // namespace
}  // namespace timetabler_tables
