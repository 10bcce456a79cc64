// The panel flow's events of the import (from the timetable towards DAE).
#include "converter/panel_flow.h"

#include <filesystem>

#include "dae_export/class_hours.h"
#include "dae_export/import_run.h"
#include "run/dialogs.h"
#include "run/session.h"

namespace converter {

void PanelFlow::BImportarClick(const std::filesystem::path& folder) {
  if (!directionButtonsEnabled_ || levelsPanelVisible_) return;
  recorded([&] {
    record_.begin(Direction::Import, folder);
    if (!takeFolder(folder)) {
      if (hosted()) {
        session_.CodigoResultado = 0;
        closeRequested_ = true;
      }
      return;
    }
    startRun();
    record_.keepFiles();
    dae_export::PlantillaCentro(session_, dialogs_);
    session_.busyCursor = true;
    if (session_.FlagPaso == 0) {
      Importar2();
      return;
    }
    // The centre table was created empty: the centre panel asks for it.
    importPending_ = true;
    MuestraCentro();
  });
}

void PanelFlow::Importar2() {
  dae_export::Importar2(session_, dialogs_);
  if (hosted()) closeRequested_ = true;
}

}  // namespace converter
