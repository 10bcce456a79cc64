// The host's part between the two directions, done the simplest way that
// gives the import a full load: a timetable SOLUC in which every weekly hour
// of every teaching assignment of ASIGT is a lesson of one session. Each
// lesson takes its assignment's teacher (CPROF when it names one of PROFT,
// else the next teacher in turn) and that teacher's next period of the week
// from DIASHORAST (breaks excluded); a teacher with more lessons than the
// week has periods starts the week again, which gives sessions with several
// groups. Clashes of groups and rooms are not avoided: the import does not
// look at them.
#pragma once

#include <cstdint>
#include <filesystem>

namespace bench {

// Re-creates SOLUC in workFolder; returns the number of lessons written.
std::uint64_t writeTimetableSolution(const std::filesystem::path& workFolder);

}  // namespace bench
