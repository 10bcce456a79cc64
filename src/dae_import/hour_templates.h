// Hour templates: DAE exports every week template of the centre in
// PLANTILLAS.txt (or T02.txt when that is absent). Its first line is a run of
// template blocks, each a 59-character header (type "1", code, name) followed
// by 15-character period records (type, period, day, start, end, break mark);
// no field is trimmed. The templates are listed in daePLANTILLAS for the user
// to choose one, and the periods of the chosen one become the timetabler's
// days-and-hours table DIASHORAST. A missing template file is not an export
// failure: the class hours can be set up later in the other direction.
#pragma once

#include "run/forward.h"
#include "support/dbase/table.h"

namespace dae_import {

// Re-creates daePLANTILLAS with one row per template header, in file order.
// Without a template file it stays empty after the two messages that say so.
void listTemplates(run::Session& session, run::Dialogs& dialogs);

// The table side of showing the template panel: opens templates when closed
// and puts its current row in edit (a blank new row on an empty table).
// Requires: templates bound to daePLANTILLAS.
void AbrePlantillasDAE(dbase::Table& templates);

// Moves templates to the row whose CODIGO is code; false when none has it.
// Requires: templates open.
bool chooseTemplate(dbase::Table& templates, std::string_view code);

// Builds DIASHORAST from every block of the template file whose code is the
// CODIGO of templates' current row, then closes templates. False, with
// nothing built, when daePLANTILLAS.DBF is missing or (after the two
// messages) there is no template file. A period, day or time that is not a
// number throws support::Error with DIASHORAST holding the rows before it.
bool buildDaysAndHours(run::Session& session, run::Dialogs& dialogs, dbase::Table& templates);

}  // namespace dae_import
