#include "dae_import/dae_loading.h"

#include "dae_import/centre.h"
#include "dae_import/code_tables.h"
#include "dae_import/hour_templates.h"
#include "dae_import/table_files.h"
#include "run/session.h"

namespace dae_import {

bool RecogeCodigosDAE(run::Session& session, run::Dialogs& dialogs) {
  deleteTableFile(session.workFolder, "ASIGT");
  deleteTableFile(session.workFolder, "DIASHORAST");
  if (!loadCodeTables(session, dialogs)) return false;
  if (!loadCentreHeader(session, dialogs)) return false;
  listTemplates(session, dialogs);
  return true;
}

}  // namespace dae_import
