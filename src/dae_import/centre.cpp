#include "dae_import/centre.h"

#include <optional>
#include <string>

#include "dae_import/dae_file.h"
#include "run/dialogs.h"
#include "run/session.h"
#include "support/dbase/table.h"
#include "support/text.h"

namespace dae_import {
namespace {

const dbase::TableDef kCentreTable = {
    "daeCENTRO",
    {dbase::characterField("CODCENTRO", 6), dbase::characterField("ANOACAD", 4),
     dbase::characterField("VERSION", 5)},
    {}};

// The teachers file starts with a 13-character header: 3 characters not read
// here, the centre code and the academic year.
constexpr int kCentreCodeStart = 4;
constexpr int kCentreCodeWidth = 6;
constexpr int kYearStart = 10;
constexpr int kYearWidth = 4;

}  // namespace

dbase::Table CreaCentro(const std::filesystem::path& workFolder) {
  return dbase::recreateTable(workFolder, kCentreTable);
}

bool loadCentreHeader(run::Session& session, run::Dialogs& dialogs) {
  const std::optional<std::string> line = readDaeInput(
      session, dialogs, "profesorado.txt", "No existe archivo DAE de Profesores (profesorado.txt)");
  if (!line) return false;
  dbase::Table centre = CreaCentro(session.workFolder);
  centre.appendRecord({cutField(*line, kCentreCodeStart, kCentreCodeWidth),
                       cutField(*line, kYearStart, kYearWidth), std::string()});
  session.log.rowsWritten(kCentreTable.name, centre.recordCount());
  return true;
}

bool MuestraCentro(run::Session& session, run::Dialogs& dialogs, dbase::Table& centre) {
  if (!dbase::tableExists(session.workFolder, kCentreTable.name)) {
    dialogs.message("No existe archivo del Centro (daeCENTRO.DBF)");
    session.CodigoResultado = -1;
    return false;
  }
  if (!centre.isOpen()) centre.open();
  centre.first();
  if (centre.state() == dbase::EditState::Browse) centre.edit();
  return true;
}

bool centreDataComplete(dbase::Table& centre) {
  if (!centre.isOpen()) centre.open();
  centre.first();
  if (centre.atEnd()) return false;
  for (const char* field : {"CODCENTRO", "ANOACAD", "VERSION"}) {
    if (support::trimControls(centre.text(field)).empty()) return false;
  }
  return true;
}

}  // namespace dae_import
