// The groups table GRUPOST from the DAE groups file "GRUPOS.txt": after a
// 13-character header, group records of 547 characters (type "2"), each
// followed by any number of 23-character records (type "3") that are
// skipped. Each group gets the timetabler's view (shift letter, level short
// name, course, group number, short name level + course + number, a
// description and the tutor's short name) and keeps every DAE key as read.
//
// Looks up the level short names in daeNIVIMP (Basque ones when the language
// is exactly "EUSKERA"), the speciality names in daeESPECI and the tutors by
// document number in PROFT. A shift digit or a maximum number of pupils that
// does not convert throws support::Error and stops the build at that group.
//
// When the file is missing the message is shown, CodigoResultado becomes -1
// and an earlier GRUPOST stays as it was.
// Requires: daeNIVIMP, daeESPECI and PROFT in the work folder.
#pragma once

#include "run/forward.h"
#include "timetabler_tables/build_outcome.h"

namespace timetabler_tables {

BuildOutcome CreaGrupos(run::Session& session, run::Dialogs& dialogs);

}  // namespace timetabler_tables
