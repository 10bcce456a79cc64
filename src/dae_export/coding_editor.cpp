#include "dae_export/coding_editor.h"

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
    return CreaTXTCuadroHorario(CarpetaSalida_, tables.centre, tables.sessions, tables.sessionGroups,
                                dialogs_);
  });
  return outcome.editorCloses;
}

void CodingEditor::close() { tables_.close(); }

}  // namespace dae_export
