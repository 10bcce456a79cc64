#include "bench/timetable_solution.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "support/dbase/table.h"
#include "support/error.h"
#include "tools/host_stub/solution_table.h"
#include "tools/host_stub/week_periods.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

std::vector<host_stub::Period> weekPeriods(const fs::path& folder) {
  std::vector<host_stub::Period> periods = host_stub::readWeekPeriods(folder);
  if (periods.empty()) throw support::Error("DIASHORAST no tiene periodos lectivos");
  return periods;
}

}  // namespace

std::uint64_t writeTimetableSolution(const fs::path& folder) {
  const auto periods = weekPeriods(folder);

  std::vector<std::string> teachers;
  std::unordered_map<std::string, std::size_t> teacherNumber;
  {
    dbase::Table table(folder, "PROFT");
    table.open({.readOnly = true});
    for (table.first(); !table.atEnd(); table.next()) {
      if (teacherNumber.try_emplace(table.text("ABREV"), teachers.size()).second)
        teachers.push_back(table.text("ABREV"));
    }
  }
  if (teachers.empty()) throw support::Error("PROFT no tiene profesores");
  std::vector<std::size_t> nextPeriod(teachers.size(), 0);
  std::size_t turn = 0;

  dbase::Table assignments(folder, "ASIGT");
  assignments.open({.readOnly = true});
  dbase::Table solution = dbase::recreateTable(folder, host_stub::solutionTable());
  std::uint64_t lessons = 0;
  for (assignments.first(); !assignments.atEnd(); assignments.next()) {
    const auto hours = std::lround(std::max(assignments.number("HORAS"), 0.0));
    if (hours == 0) continue;
    const auto named = teacherNumber.find(assignments.text("CPROF"));
    const std::size_t teacher = named != teacherNumber.end() ? named->second : turn++ % teachers.size();
    for (long hour = 0; hour < hours; ++hour) {
      const host_stub::Period& period = periods[nextPeriod[teacher]++ % periods.size()];
      solution.appendRecord({period.day, period.hour, std::int32_t{1}, teachers[teacher],
                             assignments.text("CGRUP"), assignments.text("CASIG"), assignments.text("CAULA"),
                             assignments.text("CTAREA"), std::string("0")});
      ++lessons;
    }
  }
  solution.close();
  return lessons;
}

}  // namespace bench
