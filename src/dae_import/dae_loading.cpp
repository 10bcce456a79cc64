#include "dae_import/dae_loading.h"

#include "converter/session.h"
#include "dae_import/centre.h"
#include "dae_import/code_tables.h"
#include "dae_import/hour_templates.h"
#include "dae_import/table_files.h"

namespace dae_import {

bool RecogeCodigosDAE(converter::Session& session, converter::Dialogs& dialogs) {
  deleteTableFile(session.workFolder, "ASIGT");
  deleteTableFile(session.workFolder, "DIASHORAST");
  if (!loadCodeTables(session, dialogs)) return false;
  if (!loadCentreHeader(session, dialogs)) return false;
  listTemplates(session, dialogs);
  return true;
}

}  // namespace dae_import
