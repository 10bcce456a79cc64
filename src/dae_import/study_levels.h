// The levels step: the user gives each study level of daeNIVIMP a short name
// of up to 5 characters in Castellano and/or Euskera (ABREVCAST, ABREVEUSK),
// which name the groups later. Accepted short names are remembered in
// daeNIVIMP2, one row per level code ever accepted, and offered again at the
// next export. The levels table handle belongs to the caller (the window's
// grid); these steps open, walk and edit it.
#pragma once

#include <functional>
#include <string_view>

#include "run/forward.h"
#include "support/dbase/table.h"

namespace dae_import {

// Opens the levels step. Posts and closes centre; when daeNIVIMP.DBF is
// missing, "No existe archivo de Niveles (daeNIVIMP.DBF)", CodigoResultado -1
// and false. Otherwise opens levels at its first row, calls showLevelsPanel,
// and when daeNIVIMP2.DBF exists asks whether to restore the short names
// remembered there: OK copies them onto the levels of the same code, Cancel
// deletes daeNIVIMP2.DBF. Requires: centre bound to daeCENTRO, levels to
// daeNIVIMP.
bool DatosNivel(run::Session& session, run::Dialogs& dialogs, dbase::Table& centre, dbase::Table& levels,
                const std::function<void()>& showLevelsPanel);

// The repeated-short-name check, each language on its own, letters compared
// without regard to case; empty names are never repeated. Sets FlagPaso to 1
// after the message for the first repetition (levels then stays on the row
// that holds it), else to 0.
void CompruebaAbreviaturas(run::Session& session, run::Dialogs& dialogs, dbase::Table& levels);

// The levels step's "Aceptar": posts the row being edited, checks the short
// names and, when none is repeated, remembers every level's short names in
// daeNIVIMP2 (created when missing). False when a repetition was reported.
// levels stays open. Requires: levels open on daeNIVIMP.
bool FinalRecogida(run::Session& session, run::Dialogs& dialogs, dbase::Table& levels);

// Types short names into the level with code cod, as the user does in the
// grid. False when no level has that code. Requires: levels open.
bool typeShortNames(dbase::Table& levels, std::string_view cod, std::string_view abrevCast,
                    std::string_view abrevEusk);

}  // namespace dae_import
