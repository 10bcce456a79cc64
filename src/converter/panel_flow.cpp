#include "converter/panel_flow.h"

#include <exception>
#include <system_error>
#include <utility>

#include "dae_import/centre.h"
#include "dae_import/dae_loading.h"
#include "dae_import/hour_templates.h"
#include "dae_import/study_levels.h"
#include "run/dialogs.h"
#include "run/session.h"
#include "support/cp1252.h"
#include "support/file_system.h"
#include "timetabler_tables/assignments.h"
#include "timetabler_tables/groups.h"
#include "timetabler_tables/rooms.h"
#include "timetabler_tables/subjects.h"
#include "timetabler_tables/teachers.h"

namespace converter {

PanelFlow::PanelFlow(run::Session& session, run::Dialogs& dialogs)
    : session_(session),
      record_(session),
      dialogs_(dialogs, session.log, [this] { record_.write(); }),
      centre_(session.workFolder, "daeCENTRO"),
      levels_(session.workFolder, "daeNIVIMP"),
      templates_(session.workFolder, "daePLANTILLAS") {}

bool PanelFlow::hosted() const { return session_.ParamsRecibidos == 2; }

void PanelFlow::recorded(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& error) {
    // Noted, not handled: the error goes on to the front end's handler.
    session_.log.add(std::string("error: ") + error.what());
    settleRun();
    throw;
  }
  settleRun();
}

void PanelFlow::settleRun() noexcept {
  if (record_.isOpen() && !centrePanelVisible_ && !levelsPanelVisible_) record_.end();
  record_.write();
}

bool PanelFlow::takeFolder(const std::filesystem::path& folder) {
  session_.CarpetaDAE =
      support::displayPath(folder) + static_cast<char>(std::filesystem::path::preferred_separator);
  std::error_code ec;
  if (std::filesystem::is_directory(support::pathFromUtf8(session_.CarpetaDAE), ec)) return true;
  dialogs_.message("No existe la carpeta");
  return false;
}

void PanelFlow::startRun() {
  // The tables are loaded afresh, so the panels of an earlier attempt let go
  // of them, and a step flag left behind by the other direction must not
  // turn the centre panel's OK into the wrong direction's.
  centre_.close();
  levels_.close();
  templates_.close();
  centrePanelVisible_ = false;
  templateOkVisible_ = true;
  waitNoticeVisible_ = false;
  importPending_ = false;
  session_.FlagPaso = 0;
}

void PanelFlow::BExportarClick(const std::filesystem::path& folder) {
  if (!directionButtonsEnabled_ || levelsPanelVisible_) return;
  recorded([&] {
    record_.begin(Direction::Export, folder);
    if (!takeFolder(folder)) {
      if (hosted()) {
        session_.CodigoResultado = -1;
        closeRequested_ = true;
      }
      return;
    }
    startRun();
    record_.keepFiles();
    session_.busyCursor = true;
    session_.CodigoResultado = 1;
    const bool loaded = dae_import::RecogeCodigosDAE(session_, dialogs_);
    session_.busyCursor = false;
    if (loaded) MuestraCentro();
  });
}

void PanelFlow::MuestraCentro() {
  if (!dae_import::MuestraCentro(session_, dialogs_, centre_)) return;
  session_.busyCursor = false;
  button3Visible_ = false;
  centrePanelVisible_ = true;
}

void PanelFlow::BitBtn1Click() {
  if (!centrePanelVisible_) return;
  recorded([&] {
    if (session_.FlagPaso == 0) {
      DatosNivel();
      return;
    }
    if (!dae_import::centreDataComplete(centre_)) {
      MuestraCentro();
      return;
    }
    session_.FlagPaso = 0;
    centrePanelVisible_ = false;
    centre_.close();
    centreConfirmedForImport_ = true;
    if (importPending_) {
      importPending_ = false;
      Importar2();
    }
  });
}

void PanelFlow::DatosNivel() {
  dae_import::DatosNivel(session_, dialogs_, centre_, levels_, [this] {
    centrePanelVisible_ = false;
    levelsPanelVisible_ = true;
  });
}

void PanelFlow::Button2Click() {
  if (!levelsPanelVisible_) return;
  recorded([&] {
    session_.FlagPaso = 0;
    levelsPanelVisible_ = false;
    MuestraCentro();
  });
}

void PanelFlow::Button3Click() {
  if (!button3Visible_ || levelsPanelVisible_) return;
  recorded([&] {
    record_.resume();
    DatosNivel();
  });
}

void PanelFlow::FinalRecogida() {
  if (!levelsPanelVisible_) return;
  recorded([&] {
    if (dae_import::FinalRecogida(session_, dialogs_, levels_)) AbrePlantillasDAE();
  });
}

void PanelFlow::AbrePlantillasDAE() {
  templatePanelShown_ = true;
  dae_import::AbrePlantillasDAE(templates_);
}

void PanelFlow::BitBtn3Click() {
  if (state() != PanelState::Templates || !templateOkVisible_) return;
  recorded([&] {
    templateOkVisible_ = false;
    waitNoticeVisible_ = true;
    session_.log.add(
        "idioma: " + support::cp1252ToUtf8(session_.language) +
        (session_.publicCentre ? "; centro de entidad pública" : "; centro privado o concertado"));
    if (!dae_import::buildDaysAndHours(session_, dialogs_, templates_)) return;
    timetabler_tables::CreaAsignaturas(session_, dialogs_);
    timetabler_tables::CreaProfesores(session_, dialogs_);
    timetabler_tables::CreaAulas(session_, dialogs_);
    timetabler_tables::CreaGrupos(session_, dialogs_);
    timetabler_tables::CreaAsignaciones(session_, dialogs_);
    levels_.close();
    button3Visible_ = true;
    levelsPanelVisible_ = false;
    session_.busyCursor = false;
    dialogs_.message("Proceso finalizado");
    directionButtonsEnabled_ = false;
    if (hosted()) closeRequested_ = true;
  });
}

void PanelFlow::setLanguage(std::string text) { session_.language = std::move(text); }

void PanelFlow::setPublicChecked(bool checked) { session_.publicCentre = checked; }

void PanelFlow::setPrivateChecked(bool checked) { session_.publicCentre = !checked; }

bool PanelFlow::publicChecked() const { return session_.publicCentre; }

bool PanelFlow::privateChecked() const { return !session_.publicCentre; }

bool PanelFlow::busyCursor() const { return session_.busyCursor; }

PanelState PanelFlow::state() const {
  if (levelsPanelVisible_) return templatePanelShown_ ? PanelState::Templates : PanelState::Levels;
  if (centrePanelVisible_) return PanelState::Centre;
  return directionButtonsEnabled_ ? PanelState::Start : PanelState::Done;
}

}  // namespace converter
