// host-stub solve, run as a real process on work folders made through the
// table engine and, end to end, on the bundled sample after an export.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "support/dbase/table.h"
#include "toolkit/child_process.h"
#include "toolkit/temp_folder.h"

namespace host_stub {
namespace {

using dbase::characterField;
using dbase::integerField;
using test_support::ProcessResult;

struct LessonRow {
  std::int32_t day = 0;
  std::int32_t hour = 0;
  std::int32_t sessions = 0;
  std::string teacher;
  std::string group;
  std::string subject;
  std::string room;
  std::string task;
  std::string pupils;
};

struct AssignmentRow {
  std::string subject;
  std::string teacher;
  std::string group;
  std::string room;
  double hours = 0;
};

class SolveCommandTest : public ::testing::Test {
 protected:
  const std::filesystem::path& folder() const { return work_.path(); }

  ProcessResult solve() const {
    return test_support::runProcess(test_support::builtExecutable("tools/host_stub/host-stub"),
                                    {"solve", "--work-folder", folder().string()});
  }

  // days x hours periods; the hours in breaks are marked "S".
  void makeWeek(int days, int hours, std::set<int> breaks = {}) const {
    dbase::Table week = dbase::recreateTable(
        folder(),
        {"DIASHORAST",
         {characterField("DIHO", 10), characterField("CODDIHO", 10), characterField("DIA", 20),
          characterField("TEXTODIA", 20), characterField("HORA", 8), characterField("TEXTOHOR", 15),
          characterField("HORADESDE", 8), characterField("HORAHASTA", 8), characterField("MINUTOS", 8),
          characterField("MARCO", 1), characterField("MARCOXML", 10), integerField("SESION_ORDEN"),
          characterField("PLANTILLA", 20), characterField("RECREO", 1)},
         {}});
    for (int day = 1; day <= days; ++day) {
      for (int hour = 1; hour <= hours; ++hour) {
        week.append();
        week.setText("DIHO", std::to_string(day) + std::to_string(hour));
        week.setText("DIA", std::to_string(day));
        week.setText("HORA", std::to_string(hour));
        week.setInteger("SESION_ORDEN", hour);
        week.setText("RECREO", breaks.count(hour) ? "S" : "N");
        week.post();
      }
    }
  }

  void makeTeachers(const std::vector<std::string>& names) const {
    dbase::Table teachers = dbase::recreateTable(
        folder(), {"PROFT",
                   {characterField("ABREV", 10), characterField("NOMBRE", 80), characterField("DEPART", 40),
                    characterField("DNI", 15), characterField("TIPODNI", 4), characterField("EMAIL", 100)},
                   {{"ABREV", "ABREV"}}});
    for (const std::string& name : names) teachers.appendRecord({name});
  }

  void makeGroups(const std::vector<std::string>& names) const {
    std::vector<dbase::FieldDef> fields = {
        characterField("ABREV", 10),   characterField("TURNO", 1),  characterField("NIVEL", 5),
        characterField("CURSO", 3),    characterField("GRUPO", 2),  characterField("MARCO", 1),
        characterField("DESCRIP", 80), characterField("TUTOR", 10), integerField("MAXALUM")};
    for (const auto& [name, width] : std::vector<std::pair<const char*, int>>{{"CODGRUDAE", 8},
                                                                              {"ALIASDAE", 50},
                                                                              {"PLANDAE", 4},
                                                                              {"NIVELDAE", 4},
                                                                              {"ESPECDAE", 4},
                                                                              {"TURNODAE", 4},
                                                                              {"CURSODAE", 4},
                                                                              {"MODELODAE", 4},
                                                                              {"TIPGRUDAE", 4},
                                                                              {"CODPLANTIDAE", 8},
                                                                              {"TIPDOCDAE", 4},
                                                                              {"DNITUTORDAE", 15},
                                                                              {"AULAGRUDAE", 8}}) {
      fields.push_back(characterField(name, width));
    }
    dbase::Table groups = dbase::recreateTable(folder(), {"GRUPOST", fields, {}});
    for (const std::string& name : names) groups.appendRecord({name});
  }

  // Rooms as (short name, DAE room code).
  void makeRooms(const std::vector<std::pair<std::string, std::string>>& rooms) const {
    dbase::Table table = dbase::recreateTable(
        folder(), {"AULAT",
                   {characterField("ABREV", 10), characterField("NOMBRE", 80), characterField("EDIFICIO", 1),
                    integerField("MAXALUM"), characterField("ABREV_GEST", 10)},
                   {{"ABREV", "ABREV"}}});
    for (const auto& [name, code] : rooms) {
      table.appendRecord({name, std::string(), std::string(), std::int32_t{30}, code});
    }
  }

  void makeAssignments(const std::vector<AssignmentRow>& rows) const {
    std::vector<dbase::FieldDef> fields = {
        characterField("CASIG", 10),    characterField("CPROF", 10), characterField("CGRUP", 10),
        characterField("CAULA", 10),    characterField("TURNO", 1),  characterField("NIVEL", 5),
        characterField("CURSO", 3),     characterField("GRUPO", 2),  dbase::floatField("HORAS"),
        characterField("SESIONES", 20), characterField("CTAREA", 10)};
    for (const char* name : {"CLAVEGRUPO", "CLAVETURNO", "CLAVENIVEL", "CLAVEPLAN", "CLAVECURSO",
                             "CLAVEESPEC", "CLAVEMODEL", "CLAVETIPGRU", "CLAVEPLANTI", "CLAVEASIG"}) {
      fields.push_back(characterField(name, 10));
    }
    dbase::Table table = dbase::recreateTable(folder(), {"ASIGT", fields, {}});
    for (const AssignmentRow& row : rows) {
      table.append();
      table.setText("CASIG", row.subject);
      table.setText("CPROF", row.teacher);
      table.setText("CGRUP", row.group);
      table.setText("CAULA", row.room);
      table.setNumber("HORAS", row.hours);
      table.setText("SESIONES", "1111");
      table.setText("CTAREA", "0100");
      table.post();
    }
  }

  std::vector<LessonRow> lessons() const {
    dbase::Table solution(folder(), "SOLUC");
    solution.open({.readOnly = true});
    std::vector<LessonRow> rows;
    for (solution.first(); !solution.atEnd(); solution.next()) {
      rows.push_back({solution.integer("DIA"), solution.integer("HORA"), solution.integer("SESIONES"),
                      solution.text("PROF"), solution.text("CODGRUPO"), solution.text("ASIG"),
                      solution.text("AULA"), solution.text("TAREA"), solution.text("NALUM")});
    }
    return rows;
  }

  // The usable (not break) periods of DIASHORAST.
  std::set<std::pair<std::int32_t, std::int32_t>> usablePeriods() const {
    dbase::Table week(folder(), "DIASHORAST");
    week.open({.readOnly = true});
    std::set<std::pair<std::int32_t, std::int32_t>> periods;
    for (week.first(); !week.atEnd(); week.next()) {
      if (week.text("RECREO") != "S")
        periods.emplace(std::stoi(week.text("DIA")), std::stoi(week.text("HORA")));
    }
    return periods;
  }

  // Placed lessons stay within the week, and no teacher or room is in two
  // places at once; a group is at most split in two halves. Returns the
  // periods of each group that hold a split (two lessons of it).
  std::map<std::string, std::set<std::pair<std::int32_t, std::int32_t>>> expectSoundTimetable(
      const std::vector<LessonRow>& rows) const {
    const auto periods = usablePeriods();
    std::set<std::tuple<std::string, std::int32_t, std::int32_t>> teachers, rooms;
    std::map<std::tuple<std::string, std::int32_t, std::int32_t>, int> groups;
    std::map<std::string, std::set<std::pair<std::int32_t, std::int32_t>>> splits;
    for (const LessonRow& row : rows) {
      if (row.day == 0) continue;
      SCOPED_TRACE(row.teacher + " " + row.group + " " + row.subject + " day " + std::to_string(row.day) +
                   " hour " + std::to_string(row.hour));
      EXPECT_TRUE(periods.count({row.day, row.hour})) << "outside the week or in a break";
      EXPECT_EQ(row.sessions, 1);
      EXPECT_FALSE(row.teacher.empty());
      EXPECT_TRUE(teachers.emplace(row.teacher, row.day, row.hour).second) << "teacher clash";
      if (!row.group.empty()) {
        const int lessons = ++groups[{row.group, row.day, row.hour}];
        EXPECT_LE(lessons, 2) << "a group in more than two halves";
        if (lessons == 2) splits[row.group].emplace(row.day, row.hour);
      }
      if (!row.room.empty()) {
        EXPECT_TRUE(rooms.emplace(row.room, row.day, row.hour).second) << "room clash";
      }
    }
    return splits;
  }

  test_support::TempFolder work_;
};

TEST_F(SolveCommandTest, SolucHasTheHostLayout) {
  makeWeek(1, 1);
  makeTeachers({"T1"});
  makeGroups({"1A"});
  makeRooms({});
  makeAssignments({});
  ASSERT_EQ(solve().exitCode, 0);

  dbase::Table solution(folder(), "SOLUC");
  solution.open({.readOnly = true});
  using dbase::FieldType;
  const std::vector<std::tuple<std::string, FieldType, int>> expected = {
      {"DIA", FieldType::Integer, 4},         {"HORA", FieldType::Integer, 4},
      {"SESIONES", FieldType::Integer, 4},    {"PROF", FieldType::Character, 10},
      {"CODGRUPO", FieldType::Character, 10}, {"ASIG", FieldType::Character, 10},
      {"AULA", FieldType::Character, 10},     {"TAREA", FieldType::Character, 4},
      {"NALUM", FieldType::Character, 4}};
  std::vector<std::tuple<std::string, FieldType, int>> actual;
  for (const dbase::FieldDef& field : solution.fields())
    actual.emplace_back(field.name, field.type, field.width);
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(solution.recordCount(), 0);
}

TEST_F(SolveCommandTest, EveryHourIsPlacedWhenThereIsRoom) {
  makeWeek(5, 4, {3});
  makeTeachers({"T1", "T2", "T3"});
  makeGroups({"1A", "1B"});
  makeRooms({{"R1", "AULA1"}, {"R2", "AULA2"}});
  const std::vector<AssignmentRow> assignments = {{"MAT", "", "1A", "AULA1", 4},
                                                  {"LEN", "", "1A", "AULA1", 3},
                                                  {"ING", "", "1A", "", 2},
                                                  {"MAT", "", "1B", "AULA2", 4},
                                                  {"HIS", "T3", "1B", "AULA1", 3}};
  makeAssignments(assignments);

  const ProcessResult result = solve();
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "SOLUC: 16 lessons placed, 0 lessons did not fit\n");

  const std::vector<LessonRow> rows = lessons();
  EXPECT_TRUE(expectSoundTimetable(rows).empty()) << "a group split while its week had room";
  // Per assignment: its lessons, their teachers, days and rooms.
  std::map<std::string, std::vector<LessonRow>> byAssignment;
  for (const LessonRow& row : rows) byAssignment[row.group + " " + row.subject].push_back(row);
  for (const AssignmentRow& assignment : assignments) {
    const std::string key = assignment.group + " " + assignment.subject;
    SCOPED_TRACE(key);
    const std::vector<LessonRow>& placed = byAssignment[key];
    ASSERT_EQ(placed.size(), static_cast<std::size_t>(assignment.hours));
    std::set<std::string> teachers;
    std::set<std::int32_t> days;
    for (const LessonRow& row : placed) {
      EXPECT_NE(row.day, 0);
      EXPECT_FALSE(row.room.empty());  // two rooms, never more than two lessons at once
      EXPECT_EQ(row.task, "0100");
      EXPECT_EQ(row.pupils, "0");
      teachers.insert(row.teacher);
      days.insert(row.day);
    }
    EXPECT_EQ(teachers.size(), 1U) << "one teacher per assignment";
    EXPECT_EQ(days.size(), placed.size()) << "one lesson a day while the week allows";
    if (!assignment.teacher.empty()) {
      EXPECT_EQ(*teachers.begin(), assignment.teacher);
    }
  }
  // An assignment's own room is taken whenever it is free; HIS shares R1
  // with 1A and takes R2 when 1A is in R1.
  for (const LessonRow& row : byAssignment["1A MAT"]) EXPECT_EQ(row.room, "R1");
  for (const LessonRow& row : byAssignment["1B MAT"]) EXPECT_EQ(row.room, "R2");
}

TEST_F(SolveCommandTest, AnAssignmentTakesAnotherDayBeforeASecondLessonOnOneDay) {
  makeWeek(3, 2);
  makeTeachers({"T1", "T2", "T3"});
  makeGroups({"1A"});
  makeRooms({});
  // X takes hour 1 of days 1 and 2, W fills day 2; the two assignments
  // without hours only move Y's first choice to day 2, which is full, so Y
  // starts on day 3 and must go back to day 1 rather than stay on day 3.
  makeAssignments({{"X", "", "1A", "", 2},
                   {"W", "", "1A", "", 1},
                   {"NONE", "", "1A", "", 0},
                   {"NONE", "", "1A", "", 0},
                   {"Y", "", "1A", "", 2}});

  ASSERT_EQ(solve().exitCode, 0);
  std::set<std::int32_t> days;
  for (const LessonRow& row : lessons()) {
    if (row.subject == "Y") days.insert(row.day);
  }
  EXPECT_EQ(days, (std::set<std::int32_t>{1, 3}));
}

TEST_F(SolveCommandTest, LessonsWithoutAPlaceGetDayZero) {
  makeWeek(1, 3);
  makeTeachers({"T1"});
  makeGroups({"1A"});
  makeRooms({{"R1", "AULA1"}});
  makeAssignments({{"MAT", "", "1A", "AULA1", 2}, {"LEN", "", "1A", "AULA1", 2}});

  const ProcessResult result = solve();
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "SOLUC: 3 lessons placed, 1 lessons did not fit\n");
  const std::vector<LessonRow> rows = lessons();
  expectSoundTimetable(rows);
  ASSERT_EQ(rows.size(), 4U);
  EXPECT_EQ(rows.back().day, 0);
  EXPECT_EQ(rows.back().hour, 0);
  EXPECT_EQ(rows.back().subject, "LEN");
  EXPECT_EQ(rows.back().room, "");
}

// A group whose week is full takes further lessons in halves, beside a
// lesson it already has; a third lesson at once finds no place.
TEST_F(SolveCommandTest, AFullGroupIsSplitInTwoHalvesAtMost) {
  makeWeek(1, 2);
  makeTeachers({"T1", "T2", "T3"});
  makeGroups({"1A", "1B"});
  makeRooms({{"R1", "AULA1"}, {"R2", "AULA2"}});
  makeAssignments({{"MAT", "", "1A", "AULA1", 2},
                   {"LEN", "", "1A", "AULA1", 2},
                   {"ING", "", "1A", "AULA1", 1},
                   {"HIS", "", "1B", "AULA2", 1}});

  const ProcessResult result = solve();
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "SOLUC: 5 lessons placed, 1 lessons did not fit\n");
  const std::vector<LessonRow> rows = lessons();
  const auto splits = expectSoundTimetable(rows);
  EXPECT_EQ(
      splits,
      (std::map<std::string, std::set<std::pair<std::int32_t, std::int32_t>>>{{"1A", {{1, 1}, {1, 2}}}}));
  for (const LessonRow& row : rows) EXPECT_EQ(row.day == 0, row.subject == "ING") << row.subject;
}

TEST_F(SolveCommandTest, WithoutTeachersNothingIsPlaced) {
  makeWeek(5, 6);
  makeTeachers({});
  makeGroups({"1A"});
  makeRooms({{"R1", "AULA1"}});
  makeAssignments({{"MAT", "", "1A", "AULA1", 4}});

  const ProcessResult result = solve();
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "SOLUC: 0 lessons placed, 4 lessons did not fit\n");
  for (const LessonRow& row : lessons()) {
    EXPECT_EQ(row.day, 0);
    EXPECT_EQ(row.teacher, "");
  }
}

TEST_F(SolveCommandTest, EachRunReplacesTheTimetableWithTheSameOne) {
  makeWeek(5, 6, {4});
  makeTeachers({"T1", "T2"});
  makeGroups({"1A", "1B"});
  makeRooms({{"R1", "AULA1"}});
  makeAssignments({{"MAT", "", "1A", "AULA1", 4}, {"MAT", "", "1B", "AULA1", 4}, {"LEN", "", "1B", "", 3}});

  ASSERT_EQ(solve().exitCode, 0);
  const std::vector<LessonRow> first = lessons();
  ASSERT_EQ(solve().exitCode, 0);
  const std::vector<LessonRow> second = lessons();
  ASSERT_EQ(second.size(), 11U);
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(std::tie(first[i].day, first[i].hour, first[i].teacher, first[i].room),
              std::tie(second[i].day, second[i].hour, second[i].teacher, second[i].room));
  }
}

TEST_F(SolveCommandTest, MissingInputTableIsAnErrorAndKeepsTheOldTimetable) {
  makeWeek(1, 2);
  makeTeachers({"T1"});
  makeGroups({"1A"});
  makeRooms({});
  makeAssignments({{"MAT", "", "1A", "", 2}});
  ASSERT_EQ(solve().exitCode, 0);
  std::filesystem::remove(folder() / "AULAT.DBF");
  std::filesystem::remove(folder() / "AULAT.MDX");

  const ProcessResult result = solve();
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("AULAT"), std::string::npos) << result.err;
  EXPECT_EQ(lessons().size(), 2U);
}

TEST_F(SolveCommandTest, UnknownOptionIsAUsageError) {
  const ProcessResult result = test_support::runProcess(
      test_support::builtExecutable("tools/host_stub/host-stub"), {"solve", "--folder", folder().string()});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.err, "usage: host-stub solve [--work-folder DIR]\n");
}

// The bundled sample as the export leaves it: its groups are offered more
// hours than their week holds, so that they are split, but every lesson finds
// a place, a group is split only when its week is full, and every lesson has
// a room.
TEST_F(SolveCommandTest, SampleExportGetsASoundTimetable) {
  const ProcessResult exported = test_support::runProcess(
      test_support::builtExecutable("src/cli/transorvaldae-cli"),
      {"export", "--dae-folder", TRANSORVALDAE_SAMPLE_DAE, "--work-folder", folder().string()});
  ASSERT_EQ(exported.exitCode, 0) << exported.out << exported.err;
  double weeklyHours = 0;
  {
    dbase::Table assignments(folder(), "ASIGT");
    assignments.open({.readOnly = true});
    for (assignments.first(); !assignments.atEnd(); assignments.next())
      weeklyHours += assignments.number("HORAS");
  }

  const ProcessResult result = solve();
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::vector<LessonRow> rows = lessons();
  ASSERT_EQ(static_cast<double>(rows.size()), weeklyHours);
  EXPECT_EQ(result.out, "SOLUC: " + std::to_string(rows.size()) + " lessons placed, 0 lessons did not fit\n");
  const auto splits = expectSoundTimetable(rows);
  EXPECT_FALSE(splits.empty());
  std::map<std::string, std::set<std::pair<std::int32_t, std::int32_t>>> taken;
  for (const LessonRow& row : rows) {
    EXPECT_NE(row.day, 0);
    EXPECT_FALSE(row.room.empty()) << row.teacher << " " << row.group << " " << row.subject;
    taken[row.group].emplace(row.day, row.hour);
  }
  for (const auto& [group, periods] : splits) EXPECT_EQ(taken[group], usablePeriods()) << group;
}

}  // namespace
}  // namespace host_stub
