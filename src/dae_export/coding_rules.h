// What the DAE coding editor does when the user edits its grids, independent
// of any window: the teacher's identity document copied into all of that
// teacher's timetable records; which of CODASIG and TIP_ACTIV a type-2 line
// lets the user change; the subject name taken from the chosen subject; the
// plan taken from the chosen level; and "&Terminar", which checks that every
// teacher has a document number before the DAE timetable file is written.
//
// Every function works on the handles of an open CodingTables, on the records
// the views stand on, and leaves pending edits to be saved as the grids save
// them (when the user moves to another row). Table engine failures throw
// support::Error.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "dae_export/coding_tables.h"
#include "run/forward.h"

namespace dae_export {

// The current teacher's TIPODNI and DNI, including values typed and not yet
// saved, go into TIPDOC and DOC of every type-2 and every type-3 record of
// that teacher; each of those records is saved. The type-2 and type-3 views
// are returned to the records they stood on. Runs when the user leaves the
// TIPODNI or DNI column of the teachers grid (wwDBGridPROFTColExit) and
// whenever a value of that grid changes (wwDBGridPROFTFieldChanged).
// Requires: tables open.
void propagateTeacherDocument(CodingTables& tables);

// Types a document for the teacher abrev in the teachers grid, as the user
// would, and propagates it; the teacher's row is saved. False when PROFT has
// no such teacher. Requires: tables open.
bool enterTeacherDocument(CodingTables& tables, std::string_view abrev, std::string_view documentType,
                          std::string_view documentNumber);

// A type-2 record is a teaching line when its CODASIG, trimmed at both ends,
// has more than 4 characters (a DAE subject code); otherwise (a task-type or
// activity code, or nothing) it is a non-teaching line. On a teaching line
// only CODASIG may be changed, on a non-teaching line only TIP_ACTIV: this is
// what the type-2 grid applies when the cursor enters one of those columns or
// changes row (DBGridCUADROH2ColEnter, DBGridCUADROH2RowChanged).
// Requires: sessions on a record.
bool isTeachingLine(const dbase::Table& sessions);

// The subject list of CODASIG receives the focus
// (wwDBLookupCombodaeASIGNATEnter): true when it may be used; on a
// non-teaching line it shows "No debe modificar este dato. Esta línea NO es
// de carácter Lectivo." and gives false (the list is hidden).
// Requires: sessions on a record.
bool enterSubjectList(const dbase::Table& sessions, run::Dialogs& dialogs);

// The activity list of TIP_ACTIV receives the focus
// (wwDBLookupCombodaeOTRACTEnter): true when it may be used; on a teaching
// line it shows "No debe modificar este dato. Esta línea ES de carácter
// Lectivo." and gives false.
// Requires: sessions on a record.
bool enterActivityList(const dbase::Table& sessions, run::Dialogs& dialogs);

// The subject list of CODASIG loses the focus
// (wwDBLookupCombodaeASIGNATExit): on a teaching line whose CODASIG is a
// subject of daeASIGNAT, NOMASIG becomes that subject's Castellano
// description (whatever the language of the run) when it differs; the record
// is left in edit, to be saved with the row.
// Requires: sessions on a record.
void takeSubjectName(CodingTables& tables);

// The level list of GRUPNIV loses the focus (wwDBLookupCombodaeGRUPNIVExit):
// the record goes into edit; PLAN becomes the PLAN of the chosen level of
// daeNIVIMP, or empty when GRUPNIV is empty once trimmed. A level that is not
// in daeNIVIMP (one the timetable brought) leaves PLAN as it is.
// Requires: sessions on a record.
void takePlanFromLevel(CodingTables& tables);

// Writes the DAE timetable file from the editor's tables (the role of
// CreaTXTCuadroHorario): true when written; false when the output folder is
// missing, which the writer has already reported. A file that cannot be
// created throws support::Error.
using TimetableFileWriter = std::function<bool(CodingTables&)>;

// What "&Terminar" leaves.
struct FinishOutcome {
  // False while a teacher without a document number waits for the user's
  // correction: the editor stays open with the teachers view on that teacher.
  bool editorCloses = false;
  // The editor's status ResultadoAjuste: 0, or run::kEndedWithoutFile (4)
  // when the editor ends without the DAE timetable file.
  std::int32_t ResultadoAjuste = 0;
};

// The "&Terminar" button (BitBtn1Click). Walks the teachers in ABREV order;
// at the first one whose DNI is empty once trimmed it asks
// "           !!!ATENCIÓN!!!                 \rTodavía hay algún Profesor SIN
// DOCumento(DNI).\r       ¿Desea corregir esta incidencia?       " (F1: the
// DAE data help topic): No ends the editor without the file (ResultadoAjuste
// run::kEndedWithoutFile); Yes, or closing the box, keeps the editor open on
// that teacher. When every teacher has
// a document, the file is written with writeFile (a missing output folder
// gives the same ResultadoAjuste). When the editor closes, FlagPaso becomes
// ResultadoAjuste and every table is closed. An error of the writer leaves the editor open,
// its tables open and FlagPaso unchanged.
// Requires: tables open.
FinishOutcome finishCoding(CodingTables& tables, run::Session& session, run::Dialogs& dialogs,
                           const TimetableFileWriter& writeFile);

}  // namespace dae_export
