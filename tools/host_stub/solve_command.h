// `host-stub solve [--work-folder DIR]`: does what the host timetabler does
// between the two directions of the converter, in the simplest plausible
// way. It reads the teaching assignments ASIGT, the teachers PROFT, the
// groups GRUPOST, the rooms AULAT and the week DIASHORAST from the work
// folder, and writes the timetable SOLUC (re-created on every run), one row
// per lesson of one period:
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
// busy, with the assignment's own room (CAULA) when free, else any free
// room, else none. Occupancy is kept in one bit set per teacher, group and
// period, so large schools take time linear in the number of lessons.
//
// Prints one line: lessons placed and lessons that did not fit. Exit status
// 0, 2 for a usage error; a missing or unreadable table is an error (1).
#pragma once

#include <string>
#include <vector>

namespace host_stub {

int runSolveCommand(const std::vector<std::string>& args);

}  // namespace host_stub
