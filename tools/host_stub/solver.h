// What the host timetabler does between the two directions of the converter,
// in the simplest plausible way. It reads the teaching assignments ASIGT, the
// teachers PROFT, the groups GRUPOST, the rooms AULAT and the week DIASHORAST
// from the work folder, and writes the timetable SOLUC (re-created on every
// run), one row per lesson of one period:
//
//   DIA I, HORA I, SESIONES I, PROF C10, CODGRUPO C10, ASIG C10, AULA C10,
//   TAREA C4, NALUM C4
//
// DIA and HORA are the day and hour numbers of DIASHORAST (breaks, marked
// "S", are never used); SESIONES is 1; PROF, CODGRUPO, ASIG and AULA are
// short names of PROFT, GRUPOST, ASIGNOMT and AULAT; TAREA is the
// assignment's task; NALUM is "0" (unknown). A lesson that found no place
// is written with DIA 0.
//
// Placement is greedy and deterministic: assignments in table order, each
// with its CPROF when that is a teacher, else the next teacher (round robin)
// who still has a free period; each weekly hour goes to the first period of
// the next day (then of any day) where neither the teacher nor the group is
// busy. A group whose week has no such period left is split: half of it
// takes the lesson in a period where the other half has one already (never
// more than two halves), as optional subjects and split-group lessons run in
// a school. Each lesson takes the assignment's own room (CAULA) when free,
// else any free room, else none. Occupancy is kept in bit sets per teacher,
// group and period, so large schools take time linear in the number of
// lessons.
#pragma once

#include <cstddef>
#include <filesystem>

namespace host_stub {

struct Solution {
  std::size_t placed = 0;
  std::size_t unplaced = 0;  // written with DIA 0
};

// Re-creates SOLUC in folder. A missing or unreadable input table is the
// engine's error (support::Error), with SOLUC left as it was.
Solution solveTimetable(const std::filesystem::path& folder);

}  // namespace host_stub
