// The teaching assignments table ASIGT from the DAE curriculum file
// "V55T15W18T54_2.txt": 20-character records without header, each a level,
// plan and speciality code (4 each) and a subject code (8). Each record
// becomes at most one assignment: the subject of ASIGNOMT with that DAE code
// given to the first group of GRUPOST (in table order) with that plan, level
// and speciality, with 4 weekly hours, sessions "1111", task "0100" and no
// teacher. Records without such a group or subject, and repeats, are
// dropped. On the way each subject records in DENIVEL and DECURSO the level
// and course of the first group it is given to; its course is emptied when a
// second group of the same level gets it.
//
// When the file is missing the message is shown, CodigoResultado becomes -1
// and ASIGT is not built.
// Requires: ASIGNOMT and GRUPOST in the work folder.
#pragma once

#include "run/forward.h"
#include "timetabler_tables/build_outcome.h"

namespace timetabler_tables {

BuildOutcome CreaAsignaciones(run::Session& session, run::Dialogs& dialogs);

}  // namespace timetabler_tables
