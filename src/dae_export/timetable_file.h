// The DAE timetable file "fCUADROS.txt": a 13-character header record for
// the centre (daeCENTRO), then for every type-2 record of CUADROH2, in
// session-key order, its 56-character line followed by the 75-character
// lines of the session's groups from CUADROH3, in the order in which they
// were added. Every line, the last included, ends with CR LF; bytes are
// written as the tables hold them (Windows-1252).
//
// Some fields are written as the table holds them, neither padded nor cut
// (document type, session, day, times, activity, level, plan): a value of
// another length than its nominal one moves the rest of its line.
//
// The file is built whole in memory and replaces an earlier one only once it
// is complete, so a failed writing leaves the earlier file as it was.
#pragma once

#include <string>

#include "run/forward.h"
#include "support/dbase/table.h"

namespace dae_export {

// Writes CarpetaSalida + "fCUADROS.txt" from the current record of centre and
// every record of typeTwo and typeThree (CreaTXTCuadroHorario). Pending edits
// of the three handles are posted first; their positions, orders and links
// are left as they were.
// False, with nothing written, after "No existe la carpeta" when the folder
// is missing. A file that cannot be written throws support::Error naming it.
// Requires: the three handles open on daeCENTRO, CUADROH2 and CUADROH3.
bool CreaTXTCuadroHorario(const std::string& CarpetaSalida, dbase::Table& centre, dbase::Table& typeTwo,
                          dbase::Table& typeThree, run::Dialogs& dialogs);

}  // namespace dae_export
