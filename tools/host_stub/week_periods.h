// The week of the timetable as the export left it in DIASHORAST: the
// periods a lesson can take, shared by the stand-in host and the benchmark,
// which both place lessons in it.
#pragma once

#include <compare>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace host_stub {

struct Period {
  std::int32_t day = 0;
  std::int32_t hour = 0;

  auto operator<=>(const Period&) const = default;
};

// The periods of DIASHORAST in folder that are not breaks (RECREO "S"),
// sorted by day and hour, each once. Throws support::Error when the table
// is missing or a day or hour is not a whole number.
std::vector<Period> readWeekPeriods(const std::filesystem::path& folder);

}  // namespace host_stub
