// The centre record daeCENTRO: the centre's DAE code and academic year, taken
// from the header of the teachers file, and a version typed by the user. The
// centre panel edits its one row; the other direction writes it into the
// header of the DAE timetable file.
#pragma once

#include <filesystem>

#include "run/forward.h"
#include "support/dbase/table.h"

namespace dae_import {

// Deletes daeCENTRO's .DBF and .MDX and creates it empty; returns it open.
dbase::Table CreaCentro(const std::filesystem::path& workFolder);

// Loads the header of profesorado.txt into a new daeCENTRO: positions 4-9 are
// the centre code, 10-13 the academic year, both untrimmed; the version is
// empty. False when the file is missing (reported; daeCENTRO untouched).
bool loadCentreHeader(run::Session& session, run::Dialogs& dialogs);

// The table side of showing the centre panel: opens centre when closed, moves
// to its first row and puts it in edit (a new row on an empty table). False,
// after "No existe archivo del Centro (daeCENTRO.DBF)" and CodigoResultado -1,
// when the table file is missing. Requires: centre bound to daeCENTRO.
bool MuestraCentro(run::Session& session, run::Dialogs& dialogs, dbase::Table& centre);

// The check of the centre panel's OK when it leads to the timetable work
// tables: opens centre when closed and moves to its first row (which posts
// what the user typed), then true when CODCENTRO, ANOACAD and VERSION are all
// non-empty once trimmed.
bool centreDataComplete(dbase::Table& centre);

}  // namespace dae_import
