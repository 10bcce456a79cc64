// The rooms table AULAT (tag ABREV) from the DAE rooms file "AULAS.txt":
// 61-character records without header, each a room code (8), a name (50) and
// a capacity (3). The room code, blanks included, is the room's short name,
// numbered when it repeats (letter case and blanks count); the code is also
// kept unchanged in ABREV_GEST. A capacity that is not a whole number throws
// support::Error from the table layer and stops the build at that room.
//
// When the file is missing the message is shown, CodigoResultado becomes -1
// and an earlier AULAT stays as it was.
#pragma once

#include "run/forward.h"
#include "timetabler_tables/build_outcome.h"

namespace timetabler_tables {

BuildOutcome CreaAulas(run::Session& session, run::Dialogs& dialogs);

}  // namespace timetabler_tables
