// The teachers table PROFT (tag ABREV) from the DAE staff file
// "profesorado.txt": after a 13-character header (the centre's code and
// academic year), one record per teacher, 578 characters long for a public
// centre and 599 for a private or state-subsidised one. Each teacher's short
// name is the initials of the three parts of the name, numbered when it
// repeats without regard to letter case; the identity document is kept
// beside it.
//
// When the file is missing the message is shown, CodigoResultado becomes -1
// and an earlier PROFT stays as it was; when there is none, an empty PROFT
// is created so that the groups can still be built.
#pragma once

#include "run/forward.h"
#include "timetabler_tables/build_outcome.h"

namespace timetabler_tables {

BuildOutcome CreaProfesores(run::Session& session, run::Dialogs& dialogs);

}  // namespace timetabler_tables
