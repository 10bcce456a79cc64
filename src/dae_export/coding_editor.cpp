#include "dae_export/coding_editor.h"

#include <string>
#include <utility>

#include "dae_export/coding_rules.h"
#include "dae_export/timetable_file.h"
#include "run/session.h"

namespace dae_export {

CodingEditor::CodingEditor(run::Session& session, run::Dialogs& dialogs, std::string CarpetaSalida)
    : session_(session),
      dialogs_(dialogs),
      CarpetaSalida_(std::move(CarpetaSalida)),
      tables_(session.workFolder) {
  tables_.open();
}

bool CodingEditor::Terminar() {
  const FinishOutcome outcome = finishCoding(tables_, session_, dialogs_, [this](CodingTables& tables) {
    const bool written =
        CreaTXTCuadroHorario(CarpetaSalida_, tables.centre, tables.sessions, tables.sessionGroups, dialogs_);
    if (written) {
      session_.log.add("fCUADROS.txt: escrito en " + CarpetaSalida_ + " con " +
                       std::to_string(tables.sessions.recordCount()) + " sesiones de CUADROH2 y " +
                       std::to_string(tables.sessionGroups.recordCount()) + " grupos de CUADROH3");
    }
    return written;
  });
  return outcome.editorCloses;
}

void CodingEditor::close() { tables_.close(); }

}  // namespace dae_export
