#include "dae_export/import_run.h"

#include <optional>

#include "dae_export/coding_editor.h"
#include "dae_export/timetable_build.h"
#include "dae_export/timetable_tables.h"
#include "run/dialogs.h"
#include "run/session.h"
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
// the coding. A rebuild sets FlagPaso to 1.
std::optional<WorkTables> chooseWorkTables(run::Session& session, run::Dialogs& dialogs) {
  if (!dbase::tableExists(session.workFolder, typeTwoTable().name) ||
      !dialogs.askYesNo(kKeepPreviousQuestion)) {
    session.FlagPaso = 1;
    return WorkTables::Rebuild;
  }
  if (dialogs.askYesNo(kStraightToCodingQuestion)) return std::nullopt;
  return WorkTables::Keep;
}

}  // namespace

void Importar2(run::Session& session, run::Dialogs& dialogs) {
  std::optional<OpenTimetableTables> built;
  if (const std::optional<WorkTables> tables = chooseWorkTables(session, dialogs)) {
    built = buildTimetableTablesForEditing(session.workFolder, *tables);
  }

  CodingEditor editor(session, dialogs, session.CarpetaDAE);
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
