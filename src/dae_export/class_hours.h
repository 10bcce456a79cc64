// The centre's class hours PLANTILLA (tag HORA): hour number of the day to
// start and end time ("HH:MM"), which the timetable needs to turn the host's
// numbered sessions into DAE times. It is built anew at every import from the
// days-and-hours table DIASHORAST that the export left (or, without one, as
// 20 default hours from 08:00), and the user checks and corrects it before
// the timetable work tables are built.
#pragma once

#include <filesystem>

#include "run/forward.h"
#include "support/dbase/table.h"

namespace dae_export {

// Re-creates PLANTILLA and fills it: from DIASHORAST when that table exists,
// taking for hour n the first record, in physical order, of session n that
// comes after the one used for hour n - 1; otherwise the 20 default hours
// 08:00-09:00 ... 23:00-24:00, 00:00-01:00 ... 03:00-04:00. DIASHORAST is
// opened for exclusive use while it is read. A DIHO whose session digits are
// not a number throws support::Error (PLANTILLA then holds the hours before
// it). The table is left closed. Returns the number of hours written.
int buildClassHours(const std::filesystem::path& workFolder);

// The first step of the import (PlantillaCentro): builds PLANTILLA, shows it
// in the class-hour check (Dialogs::checkClassHours) and, when daeCENTRO.DBF
// is missing or holds no centre (a centre panel left unanswered), creates it
// empty and sets FlagPaso to 1 so that the centre panel asks for the centre
// data before the import goes on. Otherwise FlagPaso is left as it was.
void PlantillaCentro(run::Session& session, run::Dialogs& dialogs);

}  // namespace dae_export
