// The main window's step panels for the export (from DAE towards the
// timetabler) as a state machine: the window raises the events named after
// its controls, and shows what the flow says (panels, buttons, cursor). The
// flow talks to the user only through Dialogs and holds the table handles that
// the panels' grids show: daeCENTRO on the centre panel, daeNIVIMP on the
// levels panel and daePLANTILLAS on the template panel. The grids edit those
// handles directly.
//
// Events that the window could not raise in the current state (a hidden or
// covered button) are ignored. A support::Error thrown by a step leaves the
// panels as they were at that point; the caller reports it.
//
// Each direction's button starts a run: the files it may replace or delete
// are copied first (a copy that cannot be made stops the run with an error
// before anything changes), and the run's lines, the boxes shown and the
// error that stopped a step among them, go to the run log (run_record.h).
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "converter/logged_dialogs.h"
#include "converter/run_record.h"
#include "run/forward.h"
#include "support/dbase/table.h"

namespace converter {

// What the window shows besides the top band and the folder area.
enum class PanelState {
  Start,      // no panel
  Centre,     // the centre-data panel over the folder list
  Levels,     // the study-levels panel over the whole window
  Templates,  // the levels panel with the template panel over its grid
  Done,       // no panel; the export ended, the direction buttons are disabled
};

class PanelFlow {
 public:
  // Binds the panels' table handles in session.workFolder (closed).
  PanelFlow(run::Session& session, run::Dialogs& dialogs);

  // The events keep the names of the controls they belong to; each comment
  // gives the control's caption.

  // BExportar, "OK" of the export area ("Transformar datos desde DAE hacia
  // Orvalin"), on the folder list's current folder.
  void BExportarClick(const std::filesystem::path& folder);
  // BImportar, "OK" of the import area ("Transformar datos desde Orvalin
  // hacia DAE"), on the folder list's current folder: the class-hour check,
  // then the centre panel when the centre data are missing (its OK goes on
  // with the import), else the import itself.
  void BImportarClick(const std::filesystem::path& folder);
  // BitBtn1, "OK" of the centre panel.
  void BitBtn1Click();
  // Button2, "Volver a Datos Centro" on the levels panel.
  void Button2Click();
  // Button3, "Volver a Niveles Estudios", shown after the export.
  void Button3Click();
  // BitBtn2, "Aceptar" on the levels panel (its handler is FinalRecogida).
  void FinalRecogida();
  // BitBtn3, "OK" of the template panel: days and hours, then the five
  // timetabler tables.
  void BitBtn3Click();

  // The language box text and the public/private pair on the centre panel;
  // the two check boxes always hold opposite values.
  void setLanguage(std::string text);
  void setPublicChecked(bool checked);
  void setPrivateChecked(bool checked);
  bool publicChecked() const;
  bool privateChecked() const;

  PanelState state() const;
  // "Volver a Niveles Estudios".
  bool button3Visible() const { return button3Visible_; }
  // BExportar and BImportar.
  bool directionButtonsEnabled() const { return directionButtonsEnabled_; }
  // The template panel's "OK" (BitBtn3) and the wait notice (LabelEspere2).
  bool templateOkVisible() const { return templateOkVisible_; }
  bool waitNoticeVisible() const { return waitNoticeVisible_; }
  // The busy cursor over the windows (run::Session::busyCursor).
  bool busyCursor() const;
  // The run asks the hosted window to close (the host then gets the result).
  bool closeRequested() const { return closeRequested_; }
  // The centre panel's OK confirmed the centre data for the timetable work
  // tables (the other direction continues from here).
  bool centreConfirmedForImport() const { return centreConfirmedForImport_; }

  dbase::Table& centreTable() { return centre_; }
  dbase::Table& levelsTable() { return levels_; }
  dbase::Table& templatesTable() { return templates_; }

 private:
  void MuestraCentro();
  void DatosNivel();
  void AbrePlantillasDAE();
  // The import from the timetable work tables to its final message.
  void Importar2();
  // Runs an event's step: the text of an error that stops it goes into the
  // run log on its way to the caller, and afterwards a run that came to rest
  // ends and the log is written.
  void recorded(const std::function<void()>& step);
  void settleRun() noexcept;
  bool hosted() const;
  // CarpetaDAE := folder and a separator; false after "No existe la carpeta"
  // when the folder does not exist.
  bool takeFolder(const std::filesystem::path& folder);
  // What every run resets when it starts.
  void startRun();

  run::Session& session_;
  RunRecord record_;
  LoggedDialogs dialogs_;
  dbase::Table centre_;
  dbase::Table levels_;
  dbase::Table templates_;

  bool centrePanelVisible_ = false;
  bool levelsPanelVisible_ = false;
  // Once shown, the template panel stays over the levels grid.
  bool templatePanelShown_ = false;
  bool button3Visible_ = false;
  bool directionButtonsEnabled_ = true;
  bool templateOkVisible_ = true;
  bool waitNoticeVisible_ = false;
  bool closeRequested_ = false;
  bool centreConfirmedForImport_ = false;
  // The import showed the centre panel and goes on from its OK.
  bool importPending_ = false;
};

}  // namespace converter
