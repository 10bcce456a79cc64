#include "timetabler_tables/subjects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder_fixture.h"
#include "code_table_defs.h"

namespace timetabler_tables {
namespace {

// A daeASIGNAT row: DAE code, Castellano and Basque descriptions and codes.
std::vector<std::string> subject(const std::string& daeCode, const std::string& codeCast,
                                 const std::string& descCast, const std::string& codeEusk = "",
                                 const std::string& descEusk = "") {
  return {daeCode, descCast, descEusk, "", "", codeCast, codeEusk};
}

Rows repeated(int times, const std::vector<std::string>& row) {
  return Rows(static_cast<std::size_t>(times), row);
}

std::vector<std::string> numbered(const std::string& first, const std::string& stem, int from, int to) {
  std::vector<std::string> names{first};
  for (int n = from; n <= to; ++n) names.push_back(stem + std::to_string(n));
  return names;
}

class SubjectsTest : public BuilderTest {
 protected:
  void SetUp() override {
    writeDaeFile("V55T15W18T54_1.txt", "");
    makeTable(daeTaskTypesDef(), {});
    makeTable(daeActivitiesDef(), {});
  }
  std::vector<std::string> shortCodesFor(const Rows& daeSubjects) {
    makeTable(daeSubjectsDef(), daeSubjects);
    EXPECT_EQ(CreaAsignaturas(session, dialogs), BuildOutcome::Built);
    return column("ASIGNOMT", "COD");
  }
};

struct ShortCodeCase {
  const char* name;
  Rows daeSubjects;
  std::vector<std::string> shortCodes;
};

std::vector<ShortCodeCase> shortCodeCases() {
  const std::string tecnologia = cp("Tecnología");
  const std::string geografia = cp("Geografía");
  std::vector<std::string> elevenTecnologia = numbered(tecnologia, cp("Tecnologí"), 1, 9);
  elevenTecnologia.push_back(cp("Tecnolog10"));
  std::vector<std::string> twelveGeografia = numbered(geografia, geografia, 1, 9);
  twelveGeografia.push_back(cp("Geografía0"));
  twelveGeografia.push_back(cp("Geografí00"));  // 10 to 99 all cut back to names already given
  return {
      {"CodeIsTheShortCode", {subject("00000001", "MAT", "Matematicas")}, {"MAT"}},
      {"CodeInOtherCaseIsNumbered", {subject("1", "MAT", "x"), subject("2", "mat", "y")}, {"MAT", "mat1"}},
      {"LongDescriptionGivesInitials",
       {subject("1", "", "Lengua Castellana y Literatura"), subject("2", "", cp("Matemáticas"))},
       {"LCyL", "M"}},
      {"ShortDescriptionIsTheShortCode", {subject("1", "", cp("Inglés"))}, {cp("Inglés")}},
      {"RepeatedInitialsAreNumbered", repeated(3, subject("1", "", cp("Matemáticas"))), {"M", "M1", "M2"}},
      {"TenCharacterCodeKeepsWholeNumber", repeated(11, subject("1", "", tecnologia)), elevenTecnologia},
      {"NineCharacterCodeKeepsLastDigits", repeated(12, subject("1", "", geografia)), twelveGeografia},
      {"NoCodeNoDescription", repeated(2, subject("1", "", "")), {"", "1"}},
      {"BlankCodeFallsBackToDescription", {subject("1", "   ", cp("Inglés"))}, {cp("Inglés")}},
  };
}

TEST_F(SubjectsTest, ShortCodesAreDerivedAndMadeUnique) {
  for (const ShortCodeCase& c : shortCodeCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(shortCodesFor(c.daeSubjects), c.shortCodes);
  }
}

TEST_F(SubjectsTest, RowsHoldSubjectsThenTaskTypesThenActivities) {
  makeTable(daeSubjectsDef(),
            {subject("00000101", "MAT", cp("Matemáticas")), subject("00000102", "", "Historia")});
  makeTable(daeTaskTypesDef(),
            {{"L", "0101", "N", "Guardia", "Zaintza", "", "S"}, {"N", "0102", "", "Tutoria", "", "", ""}});
  makeTable(daeActivitiesDef(), {{"001", "Biblioteca", "Liburutegia"}});
  ASSERT_EQ(CreaAsignaturas(session, dialogs), BuildOutcome::Built);

  const Rows expected = {
      {"MAT", "00000101", cp("Matemáticas"), "00000101", "False", "", ""},
      {"Historia", "00000102", "Historia", "00000102", "False", "", ""},
      {"0101", "L0101-NS", "Guardia", "0101", "True", "", ""},
      {"0102", "N0102-", "Tutoria", "0102", "True", "", ""},
      {".001", "001", "Biblioteca", "001", "True", "", ""},
  };
  EXPECT_EQ(read("ASIGNOMT", {"COD", "CODLARGO", "NOMBRE", "CODIGODAE", "ESTAREA", "DENIVEL", "DECURSO"}),
            expected);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(session.CodigoResultado, 1);
}

TEST_F(SubjectsTest, TaskTypesAndActivitiesAreNeitherNumberedNorCheckedAgainstSubjects) {
  makeTable(daeSubjectsDef(), {subject("0101", "0101", "Uno")});
  makeTable(daeTaskTypesDef(), {{"L", "0101", "", "A", "", "", ""}, {"L", "0101", "", "B", "", "", ""}});
  makeTable(daeActivitiesDef(), {{"001", "C", ""}, {"001", "D", ""}});
  ASSERT_EQ(CreaAsignaturas(session, dialogs), BuildOutcome::Built);
  EXPECT_EQ(column("ASIGNOMT", "COD"), (std::vector<std::string>{"0101", "0101", "0101", ".001", ".001"}));
}

struct LanguageCase {
  const char* language;
  std::vector<std::string> codes;
  std::vector<std::string> names;
};

const LanguageCase kLanguageCases[] = {
    {"EUSKERA", {"MATE", "0101", ".001"}, {"Matematika", "Zaintza", "Liburutegia"}},
    {"CASTELLANO", {"MAT", "0101", ".001"}, {"Matematicas", "Guardia", "Biblioteca"}},
    {"euskera", {"MAT", "0101", ".001"}, {"Matematicas", "Guardia", "Biblioteca"}},
    {"", {"MAT", "0101", ".001"}, {"Matematicas", "Guardia", "Biblioteca"}},
};

TEST_F(SubjectsTest, OnlyExactlyEuskeraSelectsTheBasqueCodesAndTexts) {
  makeTable(daeSubjectsDef(), {subject("00000101", "MAT", "Matematicas", "MATE", "Matematika")});
  makeTable(daeTaskTypesDef(), {{"L", "0101", "N", "Guardia", "Zaintza", "", "S"}});
  makeTable(daeActivitiesDef(), {{"001", "Biblioteca", "Liburutegia"}});
  for (const LanguageCase& c : kLanguageCases) {
    SCOPED_TRACE(c.language);
    session.language = c.language;
    ASSERT_EQ(CreaAsignaturas(session, dialogs), BuildOutcome::Built);
    EXPECT_EQ(column("ASIGNOMT", "COD"), c.codes);
    EXPECT_EQ(column("ASIGNOMT", "NOMBRE"), c.names);
  }
}

TEST_F(SubjectsTest, LongDescriptionIsCutToTheNameField) {
  const std::string description(100, 'x');
  makeTable(daeSubjectsDef(), {subject("1", "X", description)});
  ASSERT_EQ(CreaAsignaturas(session, dialogs), BuildOutcome::Built);
  EXPECT_EQ(column("ASIGNOMT", "NOMBRE"), (std::vector<std::string>{std::string(80, 'x')}));
}

}  // namespace
}  // namespace timetabler_tables
