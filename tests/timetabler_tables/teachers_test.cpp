#include "timetabler_tables/teachers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder_fixture.h"

namespace timetabler_tables {
namespace {

constexpr int kPublic = 578;
constexpr int kPrivate = 599;
const std::string kHeader = "PRF0123452024";  // not read here: the centre code and year

struct Teacher {
  std::string documentType = "NIF ";
  std::string documentNumber = "12345678Z";
  std::string first;
  std::string second;
  std::string third;
  std::string department = "Ciencias";
};

// A staff record; its unread tail is not blank, so that a record cut at the
// wrong length shows up in the names.
std::string teacherRecord(int length, const Teacher& t) {
  return fixedRecord(length, {{1, "01"},
                              {3, t.documentType},
                              {7, t.documentNumber},
                              {22, t.first},
                              {72, t.second},
                              {122, t.third},
                              {152, "ZZZZZZZZZ"},
                              {161, t.department},
                              {311, std::string(static_cast<std::size_t>(length - 310), 'Z')}});
}

std::string staffFile(int length, const std::vector<Teacher>& teachers) {
  std::string line = kHeader;
  for (const Teacher& t : teachers) line += teacherRecord(length, t);
  return line;
}

Teacher named(const std::string& first, const std::string& second, const std::string& third) {
  Teacher t;
  t.first = first;
  t.second = second;
  t.third = third;
  return t;
}

class TeachersTest : public BuilderTest {
 protected:
  Rows build(const std::string& line, const std::vector<std::string>& fields) {
    writeDaeFile("profesorado.txt", line);
    EXPECT_EQ(CreaProfesores(session, dialogs), BuildOutcome::Built);
    return read("PROFT", fields);
  }
};

TEST_F(TeachersTest, RowsHoldNameDepartmentAndDocument) {
  Teacher ana = named(cp("García"), cp("López"), "Ana");
  ana.documentType = " 01 ";
  ana.documentNumber = " 12345678Z";
  ana.department = cp("  Física y Química");
  const Rows rows =
      build(staffFile(kPublic, {ana}), {"ABREV", "NOMBRE", "DEPART", "DNI", "TIPODNI", "EMAIL"});
  EXPECT_EQ(rows, (Rows{{"GLA", cp("García López Ana"), cp("Física y Química"), "12345678Z", " 01", ""}}));
  EXPECT_TRUE(dialogs.shown.empty());
}

struct NamingCase {
  const char* name;
  std::vector<Teacher> teachers;
  Rows shortAndFullNames;
};

const NamingCase kNamingCases[] = {
    {"RepeatedInitialsAreNumbered",
     {named("Garcia", "Lopez", "Ana"), named("Gil", "Lara", "Alba"), named("Goni", "Leon", "Aitor")},
     {{"GLA", "Garcia Lopez Ana"}, {"GLA1", "Gil Lara Alba"}, {"GLA2", "Goni Leon Aitor"}}},
    {"InitialsInOtherCaseAreRepeats",
     {named("Garcia", "Lopez", "Ana"), named("garcia", "lopez", "ana")},
     {{"GLA", "Garcia Lopez Ana"}, {"gla1", "garcia lopez ana"}}},
    {"AccentedInitialsInOtherCaseAreRepeats",
     {named(cp("Álvarez"), "Lopez", "Ana"), named(cp("álvarez"), "lopez", "ana")},
     {{cp("ÁLA"), cp("Álvarez Lopez Ana")}, {cp("ála1"), cp("álvarez lopez ana")}}},
    {"EmptyPartAddsNoInitial", {named("Ana", "", "Ruiz")}, {{"AR", "Ana  Ruiz"}}},
    {"NamePartsAreTrimmed", {named("  Ana  ", " Bea", "Ruiz ")}, {{"ABR", "Ana Bea Ruiz"}}},
    {"NoNameGivesEmptyThenNumber", {named("", "", ""), named("", "", "")}, {{"", ""}, {"1", ""}}},
};

TEST_F(TeachersTest, ShortNamesAreInitialsNumberedWithoutRegardToCase) {
  for (const NamingCase& c : kNamingCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(build(staffFile(kPublic, c.teachers), {"ABREV", "NOMBRE"}), c.shortAndFullNames);
  }
}

struct OwnershipCase {
  const char* name;
  bool publicCentre;
  int fileRecordLength;
  bool recordsAligned;
};

const OwnershipCase kOwnershipCases[] = {
    {"PublicCentreReads578", true, kPublic, true},
    {"PrivateCentreReads599", false, kPrivate, true},
    {"PublicChoiceOnPrivateFile", true, kPrivate, false},
    {"PrivateChoiceOnPublicFile", false, kPublic, false},
};

TEST_F(TeachersTest, RecordLengthFollowsTheCentreOwnership) {
  const std::vector<Teacher> teachers = {named("Garcia", "Lopez", "Ana"), named("Perez", "Mora", "Rosa"),
                                         named("Sanz", "Diaz", "Luis")};
  for (const OwnershipCase& c : kOwnershipCases) {
    SCOPED_TRACE(c.name);
    session.publicCentre = c.publicCentre;
    const std::vector<std::string> names = [&] {
      std::vector<std::string> v;
      for (const auto& row : build(staffFile(c.fileRecordLength, teachers), {"NOMBRE"})) v.push_back(row[0]);
      return v;
    }();
    const std::vector<std::string> expected = {"Garcia Lopez Ana", "Perez Mora Rosa", "Sanz Diaz Luis"};
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), expected.front());  // the first record starts right after the header either way
    EXPECT_EQ(names == expected, c.recordsAligned);
  }
}

TEST_F(TeachersTest, HeaderOnlyGivesEmptyTable) { EXPECT_TRUE(build(kHeader, {"ABREV"}).empty()); }

TEST_F(TeachersTest, RecordCutShortIsWrittenWithWhatItHolds) {
  const std::string line = staffFile(kPublic, {named("Garcia", "Lopez", "Ana")}) +
                           teacherRecord(kPublic, named("Perez", "Mora", "Rosa")).substr(0, 74);
  EXPECT_EQ(
      build(line, {"ABREV", "NOMBRE", "DEPART", "DNI"}),
      (Rows{{"GLA", "Garcia Lopez Ana", "Ciencias", "12345678Z"}, {"PM", "Perez Mor", "", "12345678Z"}}));
}

TEST_F(TeachersTest, TableIsIndexedByShortName) {
  build(staffFile(kPublic, {named("Sanz", "Diaz", "Luis"), named("Alonso", "Bravo", "Carmen")}), {"ABREV"});
  EXPECT_TRUE(std::filesystem::exists(workFile("PROFT.MDX")));
  dbase::Table teachers(workFolder(), "PROFT");
  teachers.open({.readOnly = true});
  EXPECT_EQ(teachers.tags(), (std::vector<dbase::TagDef>{{"ABREV", "ABREV"}}));
  teachers.selectTag("ABREV");
  ASSERT_TRUE(teachers.findKey("SDL"));
  EXPECT_EQ(teachers.text("NOMBRE"), "Sanz Diaz Luis");
}

TEST_F(TeachersTest, MissingFileWithoutEarlierTableLeavesAnEmptyOne) {
  EXPECT_EQ(CreaProfesores(session, dialogs), BuildOutcome::InputMissing);
  EXPECT_EQ(dialogs.shown,
            (std::vector<std::string>{"No existe archivo DAE de Profesores (profesorado.txt)"}));
  EXPECT_EQ(session.CodigoResultado, -1);
  EXPECT_TRUE(read("PROFT", {"ABREV"}).empty());
}

}  // namespace
}  // namespace timetabler_tables
