#include "timetabler_tables/groups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder_fixture.h"
#include "code_table_defs.h"
#include "support/error.h"

namespace timetabler_tables {
namespace {

const std::string kHeader = "GRP0123452024";

struct Group {
  std::string code = "GR000001";
  std::string name = "1A";
  std::string plan = "P001";
  std::string level = "0010";
  std::string speciality = "0001";
  std::string shift = "0001";
  std::string course = "0001";
  std::string model = "D   ";
  std::string groupType = "T1  ";
  std::string hourTemplate = "PLANT01 ";
  std::string tutorType = "NIF ";
  std::string tutorNumber = "12345678Z      ";
  std::string maxPupils = "  30";
  std::string text = "Grupo de tarde";
  std::string room = "A01     ";
};

std::string groupRecord(const Group& g) {
  return fixedRecord(547, {{1, "2"},
                           {2, g.code},
                           {10, g.name},
                           {60, g.plan},
                           {64, g.level},
                           {68, g.speciality},
                           {72, g.shift},
                           {76, g.course},
                           {80, g.model},
                           {84, g.groupType},
                           {88, g.hourTemplate},
                           {96, g.tutorType},
                           {100, g.tutorNumber},
                           {115, std::string(171, 'Z')},
                           {286, g.maxPupils},
                           {290, g.text},
                           {340, std::string(200, 'Z')},
                           {540, g.room}});
}

std::string shortRecord() { return fixedRecord(23, {{1, "3"}, {2, "ZZZZZZZZZZZZZZZZZZZZZZ"}}); }

std::string groupsFile(const std::vector<Group>& groups) {
  std::string line = kHeader;
  for (const Group& g : groups) line += groupRecord(g);
  return line;
}

class GroupsTest : public BuilderTest {
 protected:
  void SetUp() override {
    using dbase::characterField;
    makeTable(daeLevelsDef(), {{"0010", "P001", "", "", "", "", "ESO", "DBH"},
                               {"0020", "P001", "", "", "", "", "", ""},
                               {"0030", "P001", "", "", "", "", "eso", "eso"}});
    makeTable(daeSpecialitiesDef(), {{"0001", "General", "Orokorra"}, {"02", "Corta", "Laburra"}});
    makeTable({"PROFT",
               {characterField("ABREV", 10), characterField("NOMBRE", 80), characterField("DEPART", 40),
                characterField("DNI", 15), characterField("TIPODNI", 4), characterField("EMAIL", 100)},
               {{"ABREV", "ABREV"}}},
              {{"GLA", "", "", "12345678Z"},
               {"SDL", "", "", "11111111H"},
               {"ABC", "", "", "11111111H"},
               {"NOD", "", "", ""}});
  }
  Rows build(const std::string& line, const std::vector<std::string>& fields) {
    writeDaeFile("GRUPOS.txt", line);
    EXPECT_EQ(CreaGrupos(session, dialogs), BuildOutcome::Built);
    return read("GRUPOST", fields);
  }
  Rows build(const std::vector<Group>& groups, const std::vector<std::string>& fields) {
    return build(groupsFile(groups), fields);
  }
};

TEST_F(GroupsTest, RowHoldsTimetablerViewAndDaeKeysAsRead) {
  Group g;
  g.name = cp("  1º A ");
  g.plan = " P1 ";
  g.course = "0102";
  const Rows rows = build(std::vector<Group>{g},
                          {"ABREV",        "TURNO",     "NIVEL",       "CURSO",     "GRUPO",     "MARCO",
                           "DESCRIP",      "TUTOR",     "MAXALUM",     "CODGRUDAE", "ALIASDAE",  "PLANDAE",
                           "NIVELDAE",     "ESPECDAE",  "TURNODAE",    "CURSODAE",  "MODELODAE", "TIPGRUDAE",
                           "CODPLANTIDAE", "TIPDOCDAE", "DNITUTORDAE", "AULAGRUDAE"});
  EXPECT_EQ(rows, (Rows{{"ESO021",
                         "M",
                         "ESO",
                         "02",
                         "1",
                         "0",
                         cp("M ESO 02 1/1º A/Grupo de tarde General"),
                         "GLA",
                         "30",
                         "GR000001",
                         cp("  1º A"),
                         " P1",
                         "0010",
                         "0001",
                         "0001",
                         "0102",
                         "D",
                         "T1",
                         "PLANT01",
                         "NIF",
                         "12345678Z",
                         "A01"}}));
  EXPECT_TRUE(dialogs.shown.empty());
}

struct ShiftCase {
  std::string shiftCode;
  std::string letter;
};

TEST_F(GroupsTest, ShiftLetterComesFromTheFourthCharacter) {
  const ShiftCase cases[] = {{"0001", "M"}, {"0002", "V"}, {"0003", "N"}, {"0004", "D"},
                             {"0000", "0"}, {"XYZ7", "7"}, {"000 ", ""}};
  for (const ShiftCase& c : cases) {
    SCOPED_TRACE(c.shiftCode);
    Group g;
    g.shift = c.shiftCode;
    if (c.letter.empty()) {
      writeDaeFile("GRUPOS.txt", groupsFile({g}));
      try {
        CreaGrupos(session, dialogs);
        ADD_FAILURE() << "no error";
      } catch (const support::Error& e) {
        EXPECT_EQ(std::string(e.what()), "'' is not a valid integer value");
      }
      continue;
    }
    EXPECT_EQ(build(std::vector<Group>{g}, {"TURNO"}), (Rows{{c.letter}}));
  }
}

TEST_F(GroupsTest, ShiftThatIsNotADigitStopsTheBuildAtThatGroup) {
  Group bad;
  bad.shift = "000X";
  bad.code = "GR000002";
  writeDaeFile("GRUPOS.txt", groupsFile({Group{}, bad, Group{}}));
  try {
    CreaGrupos(session, dialogs);
    ADD_FAILURE() << "no error";
  } catch (const support::Error& e) {
    EXPECT_EQ(std::string(e.what()), "'X' is not a valid integer value");
  }
  EXPECT_EQ(column("GRUPOST", "CODGRUDAE"), (std::vector<std::string>{"GR000001"}));
  EXPECT_EQ(session.CodigoResultado, 1);
}

TEST_F(GroupsTest, MaximumPupilsThatIsNotAWholeNumberIsRejected) {
  for (const std::string& maxPupils :
       {std::string("30  "), std::string("    "), std::string("3O"), std::string("$01A")}) {
    SCOPED_TRACE(maxPupils);
    Group g;
    g.maxPupils = maxPupils;
    writeDaeFile("GRUPOS.txt", groupsFile({g}));
    try {
      CreaGrupos(session, dialogs);
      ADD_FAILURE() << "no error";
    } catch (const support::Error& e) {
      const std::string asRead = fixedRecord(4, {{1, maxPupils}});
      EXPECT_EQ(std::string(e.what()), "'" + asRead + "' is not a valid integer value for field 'MAXALUM'");
    }
  }
}

struct NamingCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> levelAndCourse;  // DAE level and course codes
  std::vector<std::vector<std::string>> abrevNivelGrupo;
};

std::vector<NamingCase> namingCases() {
  const std::pair<std::string, std::string> eso01{"0010", "0001"};
  std::vector<std::pair<std::string, std::string>> eleven(11, eso01);
  std::vector<std::vector<std::string>> elevenNames;
  for (int n = 1; n <= 11; ++n) {
    const std::string name = "ESO01" + std::to_string(n);
    elevenNames.push_back({name, "ESO", name.substr(name.size() - 1)});
  }
  return {
      {"GroupsOfOneLevelAndCourseAreCounted",
       {eso01, eso01, {"0010", "0002"}, eso01},
       {{"ESO011", "ESO", "1"}, {"ESO012", "ESO", "2"}, {"ESO021", "ESO", "1"}, {"ESO013", "ESO", "3"}}},
      {"TenthGroupEndsInTenEleventhInEleven", eleven, elevenNames},
      {"KeysInOtherCaseAreNotRepeats",
       {{"0030", "0001"}, eso01},
       {{"eso011", "eso", "1"}, {"ESO011", "ESO", "1"}}},
      {"UnknownLevelUsesItsCode", {{" 99 ", "0001"}}, {{"99011", "99", "1"}}},
      {"LevelWithoutShortNameIsNIV", {{"0020", "0001"}}, {{"NIV011", "NIV", "1"}}},
      {"BlankLevelIsNIV", {{"    ", "0001"}}, {{"NIV011", "NIV", "1"}}},
      {"CourseFromThirdAndFourthCharacters", {{"0010", "00 3"}}, {{"ESO31", "ESO", "1"}}},
  };
}

TEST_F(GroupsTest, ShortNamesAreLevelCourseAndGroupNumber) {
  for (const NamingCase& c : namingCases()) {
    SCOPED_TRACE(c.name);
    std::vector<Group> groups;
    for (const auto& [level, course] : c.levelAndCourse) {
      Group g;
      g.level = level;
      g.course = course;
      groups.push_back(g);
    }
    EXPECT_EQ(build(groups, {"ABREV", "NIVEL", "GRUPO"}), c.abrevNivelGrupo);
  }
}

struct LanguageCase {
  const char* language;
  std::string level;
  std::string description;
};

TEST_F(GroupsTest, OnlyExactlyEuskeraSelectsBasqueLevelAndSpeciality) {
  const LanguageCase cases[] = {
      {"EUSKERA", "DBH", "M DBH 01 1/1A/Grupo de tarde Orokorra"},
      {"CASTELLANO", "ESO", "M ESO 01 1/1A/Grupo de tarde General"},
      {"euskera", "ESO", "M ESO 01 1/1A/Grupo de tarde General"},
  };
  for (const LanguageCase& c : cases) {
    SCOPED_TRACE(c.language);
    session.language = c.language;
    EXPECT_EQ(build(std::vector<Group>{Group{}}, {"NIVEL", "DESCRIP"}), (Rows{{c.level, c.description}}));
  }
}

TEST_F(GroupsTest, SpecialityIsLookedUpWithoutTrailingBlanks) {
  Group shortCode;
  shortCode.speciality = "02  ";
  Group unknown;
  unknown.speciality = "0009";
  EXPECT_EQ(build({shortCode, unknown}, {"DESCRIP"}),
            (Rows{{"M ESO 01 1/1A/Grupo de tarde Corta"}, {"M ESO 01 2/1A/Grupo de tarde"}}));
}

struct TutorCase {
  const char* name;
  std::string documentNumber;
  std::string tutor;
};

TEST_F(GroupsTest, TutorIsFoundByDocumentNumber) {
  const TutorCase cases[] = {
      {"Found", "12345678Z", "GLA"},       {"SharedNumberGivesFirstByShortName", "11111111H", "ABC"},
      {"NoTeacherHasIt", "99999999R", ""}, {"LetterCaseCounts", "12345678z", ""},
      {"BlankNumberNamesNoTutor", "", ""},
  };
  for (const TutorCase& c : cases) {
    SCOPED_TRACE(c.name);
    Group g;
    g.tutorNumber = c.documentNumber;
    EXPECT_EQ(build(std::vector<Group>{g}, {"TUTOR"}), (Rows{{c.tutor}}));
  }
}

TEST_F(GroupsTest, ShortRecordsAfterAGroupAreSkipped) {
  Group second;
  second.code = "GR000002";
  const std::string line = kHeader + groupRecord(Group{}) + shortRecord() + shortRecord() + shortRecord() +
                           groupRecord(second) + shortRecord();
  EXPECT_EQ(build(line, {"CODGRUDAE"}), (Rows{{"GR000001"}, {"GR000002"}}));
}

TEST_F(GroupsTest, RecordOfOtherTypeAtAGroupPositionIsSkippedWhole) {
  Group second;
  second.code = "GR000002";
  std::string other = groupRecord(Group{});
  other[0] = '9';
  EXPECT_EQ(build(kHeader + other + groupRecord(second), {"CODGRUDAE"}), (Rows{{"GR000002"}}));
}

TEST_F(GroupsTest, HeaderOnlyGivesEmptyTable) { EXPECT_TRUE(build(kHeader, {"ABREV"}).empty()); }

}  // namespace
}  // namespace timetabler_tables
