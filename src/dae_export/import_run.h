// The second half of the import (Importar2), after the class hours were
// checked and the centre data exist: the timetable work tables are rebuilt,
// kept and updated, or left as they are (the user's two answers), the coding
// editor is shown, and the end of the import is reported. The DAE timetable
// file is written by the editor's "&Terminar" into CarpetaDAE.
//
// A table engine error (a missing, damaged or locked input) ends the import
// before the editor, without the final message; the work tables and the DAE
// timetable file are then as they were.
#pragma once

#include <string>

#include "run/forward.h"

namespace dae_export {

// Asked when work tables of an earlier import exist: No rebuilds them
// empty; Yes, or closing the box, keeps them.
extern const std::string kKeepPreviousQuestion;
// Asked when they are kept: No updates them from the timetable; Yes, or
// closing the box, goes straight to the coding editor with the tables as
// they are.
extern const std::string kStraightToCodingQuestion;

// Runs the import from the work tables to its final message: "Proceso
// finalizado", or "!!ATENCIÓN!! El Proceso NO ha finalizado Correctamente"
// when the editor ended without the DAE timetable file (FlagPaso
// run::kEndedWithoutFile). CodigoResultado becomes 1 and FlagPaso 0 or
// run::kEndedWithoutFile. The busy cursor ends when the work tables are
// ready, before the editor opens.
// Requires: FlagPaso 0; PLANTILLA and daeCENTRO in the work folder.
void Importar2(run::Session& session, run::Dialogs& dialogs);

}  // namespace dae_export
