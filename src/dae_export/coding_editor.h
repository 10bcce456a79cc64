// The DAE coding editor while the import shows it: its tables, opened as the
// window opens them, and its "&Terminar", which checks that every teacher has
// a document number and writes the DAE timetable file into the output folder
// CarpetaSalida. The editor window, or the batch import standing in for it,
// edits the tables through the coding rules (coding_rules.h).
#pragma once

#include <string>

#include "dae_export/coding_tables.h"
#include "run/forward.h"

namespace dae_export {

class CodingEditor {
 public:
  // Opens the tables (the editor's FormCreate); fails with the table
  // engine's error when one is missing or PROFT is held by another program.
  CodingEditor(run::Session& session, run::Dialogs& dialogs, std::string CarpetaSalida);

  CodingTables& tables() { return tables_; }
  const std::string& CarpetaSalida() const { return CarpetaSalida_; }

  // "&Terminar" (BitBtn1Click): true when the editor closes, with FlagPaso
  // run::kEndedWithoutFile when it ends without the file and 0 when it wrote
  // it; false while a teacher without a document waits for the user's
  // correction. A file that cannot be written throws support::Error and
  // leaves the editor open.
  bool Terminar();
  // The window closes (also by its close button, without "&Terminar"): the
  // tables are closed, FlagPaso stays as it was.
  void close();

 private:
  run::Session& session_;
  run::Dialogs& dialogs_;
  std::string CarpetaSalida_;
  CodingTables tables_;
};

}  // namespace dae_export
