// The two directions of the converter run step by step through the core, as
// the window runs them, each step timed: the export from a DAE folder to the
// timetabler's tables, and the import from the host's timetable to the DAE
// timetable file. The user's answers are the defaults of the batch front end
// (centre data as loaded, no level short names, the first template, the work
// tables rebuilt or kept as asked). Each direction starts, as a run does,
// with its safety copy, kept in "copias" beside the work folder.
#pragma once

#include <filesystem>
#include <string>

#include "bench/measurement.h"
#include "dae_export/timetable_build.h"

namespace bench {

// Runs the export of daeFolder into workFolder; name says what the work
// folder holds before it.
DirectionRun runExport(const std::filesystem::path& daeFolder, const std::filesystem::path& workFolder,
                       std::string name);

// Runs the import from the tables of workFolder to daeFolder/fCUADROS.txt
// as a user does it: the work tables built, the coding editor opened, a
// document typed for every teacher (each copied into that teacher's
// timetable records by the editor's rule), then "&Terminar".
// Requires: an export and a SOLUC in workFolder.
DirectionRun runImport(const std::filesystem::path& daeFolder, const std::filesystem::path& workFolder,
                       dae_export::WorkTables tables);

}  // namespace bench
