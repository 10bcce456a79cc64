// The start of the export: everything taken from the DAE folder before the
// user is asked anything. The days-and-hours and teaching-assignments tables
// of an earlier run are dropped first, so that the host never meets them
// beside new catalogues.
#pragma once

#include "run/forward.h"

namespace dae_import {

// Deletes ASIGT.DBF and DIASHORAST.DBF, loads the nine code tables, the centre
// header into daeCENTRO and the template list into daePLANTILLAS. False when
// a code-table file or profesorado.txt is missing: its message was shown,
// CodigoResultado is -1, and nothing after it was touched. A missing template
// file does not stop it.
bool RecogeCodigosDAE(run::Session& session, run::Dialogs& dialogs);

}  // namespace dae_import
