#include "dae_export/import_run.h"

#include <optional>
#include <string>

#include "dae_export/coding_editor.h"
#include "dae_export/timetable_build.h"
#include "dae_export/timetable_tables.h"
#include "run/dialogs.h"
#include "run/session.h"
#include "support/cp1252.h"
#include "support/dbase/table.h"

namespace dae_export {

const std::string kKeepPreviousQuestion =
    "Si Conserva los Datos de la Exportación Anterior,\r"
    "estos se ajustarán a los cambios hechos en el horario,\r"
    "pero se conservarán los Códigos DAE puestos anteriormente.\r"
    "¿Desea Conservar los Datos de la Exportación Anterior?";
const std::string kStraightToCodingQuestion =
    "Si desea acceder directamente a la Codificación DAE, pulse SÍ.\r" + std::string(61, ' ') +
    "\rSi desea Exportar Nuevamente Conservando Datos, pulse NO.";

namespace {

// What to do with the work tables; nullopt when the user goes straight to
// the coding. A rebuild sets FlagPaso to 1. Only No rebuilds or updates the
// tables: a question closed without an answer leaves the codes typed in an
// earlier import as they are.
std::optional<WorkTables> chooseWorkTables(run::Session& session, run::Dialogs& dialogs) {
  if (!dbase::tableExists(session.workFolder, typeTwoTable().name) ||
      dialogs.askYesNo(kKeepPreviousQuestion, run::kNoHelpContext) == run::Answer::No) {
    session.FlagPaso = 1;
    return WorkTables::Rebuild;
  }
  if (dialogs.askYesNo(kStraightToCodingQuestion, run::kNoHelpContext) != run::Answer::No)
    return std::nullopt;
  return WorkTables::Keep;
}

// What the build did, for the run log.
void logBuild(run::RunLog& log, WorkTables tables, const TimetableBuildReport& report) {
  log.add(tables == WorkTables::Rebuild ? "CUADROH2 y CUADROH3: rehechas"
                                        : "CUADROH2 y CUADROH3: conservadas");
  if (report.rowsSkipped > 0) {
    log.add("SOLUC: " + std::to_string(report.rowsSkipped) + " filas omitidas (sin día o sin profesor)");
  }
  for (const std::string& teacher : report.teachersAdded) {
    log.add("PROFT: añadido " + support::cp1252ToUtf8(teacher) + ", que está en el horario y no en PROFT");
  }
}

}  // namespace

void Importar2(run::Session& session, run::Dialogs& dialogs) {
  std::optional<OpenTimetableTables> built;
  if (const std::optional<WorkTables> tables = chooseWorkTables(session, dialogs)) {
    built = buildTimetableTablesForEditing(session.workFolder, *tables);
    logBuild(session.log, *tables, built->report);
  }

  // The build is over: the user works in the editor, answers its question and
  // reads the final message under the normal cursor.
  session.busyCursor = false;
  CodingEditor editor(session, dialogs, session.CarpetaDAE);
  session.log.rowsWritten(typeTwoTable().name, editor.tables().sessions.recordCount());
  session.log.rowsWritten(typeThreeTable().name, editor.tables().sessionGroups.recordCount());
  if (built) built->close();  // the editor has them open now
  dialogs.runCodingEditor(editor);
  editor.close();
  if (session.FlagPaso != run::kEndedWithoutFile) session.FlagPaso = 0;
  session.CodigoResultado = 1;
  dialogs.message(session.FlagPaso == run::kEndedWithoutFile
                      ? "!!ATENCIÓN!! El Proceso NO ha finalizado Correctamente"
                      : "Proceso finalizado");
}

}  // namespace dae_export
