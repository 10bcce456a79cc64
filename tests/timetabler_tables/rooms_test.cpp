#include "timetabler_tables/rooms.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "builder_fixture.h"
#include "support/error.h"

namespace timetabler_tables {
namespace {

std::string roomRecord(const std::string& code, const std::string& name, const std::string& capacity) {
  return fixedRecord(61, {{1, code}, {9, name}, {59, capacity}});
}

std::string roomsFile(int count, const std::string& code) {
  std::string line;
  for (int i = 0; i < count; ++i) line += roomRecord(code, "Aula", "025");
  return line;
}

class RoomsTest : public BuilderTest {
 protected:
  BuildOutcome build(const std::string& line) {
    writeDaeFile("AULAS.txt", line);
    return CreaAulas(session, dialogs);
  }
};

TEST_F(RoomsTest, RowsHoldCodeNameAndCapacityAsRead) {
  ASSERT_EQ(build(roomRecord("A01", " Aula de Dibujo", " 25") + roomRecord("LAB-FIS1", cp("Física"), "030")),
            BuildOutcome::Built);
  EXPECT_EQ(
      read("AULAT", {"ABREV", "NOMBRE", "EDIFICIO", "MAXALUM", "ABREV_GEST"}),
      (Rows{{"A01", " Aula de Dibujo", "", "25", "A01"}, {"LAB-FIS1", cp("Física"), "", "30", "LAB-FIS1"}}));
  EXPECT_TRUE(dialogs.shown.empty());
}

struct NamingCase {
  const char* name;
  std::string line;
  std::vector<std::string> shortNames;
};

std::vector<NamingCase> namingCases() {
  std::vector<std::string> eleven = {"LAB-FIS1"};
  for (int n = 1; n <= 10; ++n) eleven.push_back("LAB-FIS1" + std::to_string(n));
  return {
      {"OtherCaseIsAnotherRoom", roomRecord("A01", "", "020") + roomRecord("a01", "", "020"), {"A01", "a01"}},
      // The code keeps its blanks, so the number comes after them.
      {"RepeatIsNumberedAfterTheBlanks", roomsFile(2, "A01"), {"A01", "A01     1"}},
      {"EightCharacterCodeNumbered", roomsFile(3, "LAB-FIS1"), {"LAB-FIS1", "LAB-FIS11", "LAB-FIS12"}},
      {"TenthRepeatStillFits", roomsFile(11, "LAB-FIS1"), eleven},
  };
}

TEST_F(RoomsTest, RepeatedCodesAreNumberedComparingCaseAndBlanks) {
  for (const NamingCase& c : namingCases()) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(build(c.line), BuildOutcome::Built);
    EXPECT_EQ(column("AULAT", "ABREV"), c.shortNames);
  }
}

TEST_F(RoomsTest, LongNumberedNameKeepsCharactersOneToEightAndTenToEleven) {
  ASSERT_EQ(build(roomsFile(101, "LAB-FIS1")), BuildOutcome::Built);
  EXPECT_EQ(column("AULAT", "ABREV").back(), "LAB-FIS100");  // from LAB-FIS1100
}

TEST_F(RoomsTest, ManyRoomsWithOneCodeKeepUniqueShortNames) {
  ASSERT_EQ(build(roomsFile(300, "LAB-FIS1")), BuildOutcome::Built);
  const std::vector<std::string> names = column("AULAT", "ABREV");
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
  for (const std::string& name : names) EXPECT_LE(name.size(), 10u) << name;
  EXPECT_EQ(names[101], "LAB-FIS101");
}

TEST_F(RoomsTest, CapacityWithLeadingBlankOrZeroIsStored) {
  ASSERT_EQ(build(roomRecord("A", "", " 25") + roomRecord("B", "", "025")), BuildOutcome::Built);
  EXPECT_EQ(column("AULAT", "MAXALUM"), (std::vector<std::string>{"25", "25"}));
}

struct BadCapacity {
  const char* name;
  std::string capacity;
  std::string error;
};

const BadCapacity kBadCapacities[] = {
    {"TrailingBlank", "25 ", "'25 ' is not a valid integer value for field 'MAXALUM'"},
    {"OnlyBlanks", "   ", "'   ' is not a valid integer value for field 'MAXALUM'"},
    {"Letter", "2x5", "'2x5' is not a valid integer value for field 'MAXALUM'"},
    {"Hexadecimal", "$1A", "'$1A' is not a valid integer value for field 'MAXALUM'"},
};

TEST_F(RoomsTest, CapacityThatIsNotAWholeNumberStopsAtThatRoom) {
  for (const BadCapacity& c : kBadCapacities) {
    SCOPED_TRACE(c.name);
    writeDaeFile("AULAS.txt",
                 roomRecord("A", "", "010") + roomRecord("B", "", c.capacity) + roomRecord("C", "", "030"));
    try {
      CreaAulas(session, dialogs);
      ADD_FAILURE() << "no error";
    } catch (const support::Error& e) {
      EXPECT_EQ(std::string(e.what()), c.error);
    }
    EXPECT_EQ(column("AULAT", "ABREV"), (std::vector<std::string>{"A"}));
    EXPECT_EQ(session.CodigoResultado, 1);
  }
}

TEST_F(RoomsTest, LastRecordCutShortIsWrittenWithoutCapacity) {
  ASSERT_EQ(build(roomRecord("A01", "Aula", "020") + "B02     Tall"), BuildOutcome::Built);
  EXPECT_EQ(read("AULAT", {"ABREV", "NOMBRE", "MAXALUM"}),
            (Rows{{"A01", "Aula", "20"}, {"B02", "Tall", ""}}));
}

TEST_F(RoomsTest, EmptyFileGivesEmptyIndexedTable) {
  ASSERT_EQ(build(""), BuildOutcome::Built);
  EXPECT_TRUE(read("AULAT", {"ABREV"}).empty());
  dbase::Table rooms(workFolder(), "AULAT");
  rooms.open({.readOnly = true});
  EXPECT_EQ(rooms.tags(), (std::vector<dbase::TagDef>{{"ABREV", "ABREV"}}));
}

}  // namespace
}  // namespace timetabler_tables
