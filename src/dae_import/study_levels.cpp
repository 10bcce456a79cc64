#include "dae_import/study_levels.h"

#include <string>
#include <vector>

#include "dae_import/code_tables.h"
#include "dae_import/table_files.h"
#include "run/dialogs.h"
#include "run/session.h"
#include "support/name_set.h"
#include "support/text.h"

namespace dae_import {
namespace {

constexpr const char* kLevelsTable = "daeNIVIMP";
constexpr const char* kRememberedTable = "daeNIVIMP2";

const char* const kRestoreCaption = "Recuperación de Niveles y Cursos importados anteriormente";
const char* const kRestoreQuestion =
    "Existen Niveles y Cursos ya definidos de una Importación anterior.\n\r"
    "¿Quiere recuperar las codificaciones introducidas anteriormente?";

// False when name repeats one of names; a blank name is never a repeat.
bool addShortName(support::NameSet& names, const std::string& name) {
  return support::trimControls(name).empty() || names.insert(name);
}

void copyShortNames(const dbase::Table& from, dbase::Table& to) {
  to.edit();
  to.setText("ABREVCAST", from.text("ABREVCAST"));
  to.setText("ABREVEUSK", from.text("ABREVEUSK"));
  to.post();
}

void restoreRememberedShortNames(const std::filesystem::path& workFolder, dbase::Table& levels) {
  dbase::Table remembered(workFolder, kRememberedTable);
  remembered.open();
  for (levels.first(); !levels.atEnd(); levels.next()) {
    if (remembered.locate("COD", {levels.text("COD")})) copyShortNames(remembered, levels);
  }
  levels.first();  // the grid starts on its first row again
}

void rememberShortNames(run::Session& session, dbase::Table& levels) {
  const std::filesystem::path& workFolder = session.workFolder;
  if (!dbase::tableExists(workFolder, kRememberedTable)) {
    dbase::recreateTable(workFolder, {kRememberedTable, studyLevelFields(), {}});
  }
  dbase::Table remembered(workFolder, kRememberedTable);
  remembered.open();
  for (levels.first(); !levels.atEnd(); levels.next()) {
    if (remembered.locate("COD", {levels.text("COD")})) {
      copyShortNames(levels, remembered);
    } else {
      std::vector<dbase::Value> row;
      for (const dbase::FieldDef& field : studyLevelFields()) row.emplace_back(levels.text(field.name));
      remembered.appendRecord(row);
    }
  }
  levels.first();
  session.log.rowsWritten(kRememberedTable, remembered.recordCount());
}

}  // namespace

bool DatosNivel(run::Session& session, run::Dialogs& dialogs, dbase::Table& centre, dbase::Table& levels,
                const std::function<void()>& showLevelsPanel) {
  if (centre.isOpen()) {
    if (centre.state() != dbase::EditState::Browse) centre.post();
    centre.close();
  }
  if (!dbase::tableExists(session.workFolder, kLevelsTable)) {
    dialogs.message("No existe archivo de Niveles (daeNIVIMP.DBF)");
    session.CodigoResultado = -1;
    return false;
  }
  if (!levels.isOpen()) levels.open();
  levels.first();
  showLevelsPanel();
  if (dbase::tableExists(session.workFolder, kRememberedTable)) {
    if (dialogs.askOkCancel(kRestoreCaption, kRestoreQuestion)) {
      restoreRememberedShortNames(session.workFolder, levels);
    } else {
      deleteTableFile(session.workFolder, kRememberedTable);
    }
  }
  return true;
}

void CompruebaAbreviaturas(run::Session& session, run::Dialogs& dialogs, dbase::Table& levels) {
  session.FlagPaso = 0;
  support::NameSet castellano(support::NameComparison::IgnoreCase);
  support::NameSet euskera(support::NameComparison::IgnoreCase);
  for (levels.first(); !levels.atEnd(); levels.next()) {
    if (!addShortName(castellano, levels.text("ABREVCAST"))) {
      dialogs.message("Abreviatura en Castellano Repetida - Compruébelo.");
      session.FlagPaso = 1;
      return;
    }
    if (!addShortName(euskera, levels.text("ABREVEUSK"))) {
      dialogs.message("Abreviatura en Euskera Repetida - Compruébelo.");
      session.FlagPaso = 1;
      return;
    }
  }
}

bool FinalRecogida(run::Session& session, run::Dialogs& dialogs, dbase::Table& levels) {
  if (levels.state() != dbase::EditState::Browse) levels.post();
  CompruebaAbreviaturas(session, dialogs, levels);
  if (session.FlagPaso == 1) return false;
  rememberShortNames(session, levels);
  return true;
}

bool typeShortNames(dbase::Table& levels, std::string_view cod, std::string_view abrevCast,
                    std::string_view abrevEusk) {
  if (!levels.locate("COD", {std::string(cod)})) return false;
  levels.edit();
  levels.setText("ABREVCAST", abrevCast);
  levels.setText("ABREVEUSK", abrevEusk);
  levels.post();
  return true;
}

}  // namespace dae_import
