// `host-stub solve [--work-folder DIR]`: writes the timetable SOLUC from the
// teaching assignments of the work folder (solver.h).
//
// Prints one line: lessons placed and lessons that did not fit. Exit status
// 0, 2 for a usage error; a missing or unreadable table is an error (1).
#pragma once

#include <string>
#include <vector>

namespace host_stub {

int runSolveCommand(const std::vector<std::string>& args);

}  // namespace host_stub
