// Filling the timetable work tables CUADROH2 and CUADROH3 from the host's
// timetable SOLUC, the teachers PROFT, the groups GRUPOST, the subjects
// ASIGNOMT and the class hours PLANTILLA.
//
// Every input is opened (SOLUC, GRUPOST, PROFT and ASIGNOMT for exclusive
// use) and the whole of SOLUC is read before any work table is touched, so a
// missing, damaged or locked input, or a SOLUC value that does not convert,
// ends the build with the table engine's error and leaves CUADROH2 and
// CUADROH3 as they were.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/dbase/table.h"

namespace dae_export {

enum class WorkTables {
  Rebuild,  // re-created empty, then filled
  Keep,     // updated in place: DAE codes typed earlier survive
};

// One type-2 record per session key and one type-3 record per session key
// and group of the timetable rows (rows of day 0 or without a teacher are
// skipped). A kept table keeps, where the new value would replace a non-empty
// one, the document, task type and level of its type-2 records (the language
// unless the subject asks for "02") and the group code and document of its
// type-3 records; everything else is taken again from the timetable, and the
// records of sessions or groups that are no longer in it are deleted.
// Teachers of the timetable missing from PROFT are appended to it.
// What a build did, for the run log.
struct TimetableBuildReport {
  std::int64_t rowsSkipped = 0;            // of SOLUC: of day 0 or without a teacher
  std::vector<std::string> teachersAdded;  // to PROFT, by short name
};

// Every table is closed at the end.
TimetableBuildReport buildTimetableTables(const std::filesystem::path& workFolder, WorkTables tables);

// CUADROH2 and CUADROH3 as a build leaves them for the coding editor, still
// open: the editor, opening them meanwhile, finds their records in memory
// instead of reading them and sorting their index orders again, and their
// indexes are written once, when the last handle on them closes.
struct OpenTimetableTables {
  dbase::Table typeTwo;    // CUADROH2
  dbase::Table typeThree;  // CUADROH3
  TimetableBuildReport report;

  // Throws support::Error when an index cannot be written.
  void close();
};

// The same build, leaving CUADROH2 and CUADROH3 open (every other table is
// closed).
OpenTimetableTables buildTimetableTablesForEditing(const std::filesystem::path& workFolder,
                                                   WorkTables tables);

}  // namespace dae_export
