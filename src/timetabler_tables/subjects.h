// The subjects table ASIGNOMT: the centre's subjects (from daeASIGNAT), then
// the DAE task types (daeTIPTAR), then the other activities (daeOTRACT), each
// row with the short code of at most 10 characters by which the timetable
// refers to it and the DAE code it stands for. Subject short codes are unique
// without regard to letter case; task types and activities keep their codes.
// Descriptions are the Basque ones when the language is exactly "EUSKERA".
// DENIVEL and DECURSO are left empty (the teaching assignments fill them).
//
// The data come from the code tables loaded earlier; the DAE subjects file is
// only tested for presence. When it is missing the message is shown,
// CodigoResultado becomes -1 and an earlier ASIGNOMT stays as it was.
// Requires: daeASIGNAT, daeTIPTAR and daeOTRACT in the work folder.
#pragma once

#include "run/forward.h"
#include "timetabler_tables/build_outcome.h"

namespace timetabler_tables {

BuildOutcome CreaAsignaturas(run::Session& session, run::Dialogs& dialogs);

}  // namespace timetabler_tables
