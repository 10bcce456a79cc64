// The nine DAE code tables: task types, courses, models, subjects, other
// activities, identity-document types, study levels, specialities and
// languages. Each code-list file of the DAE folder becomes a table of the same
// content in the work folder, rebuilt on every run, one row per record in file
// order, every value trimmed of blanks at both ends and cut to its field.
// A missing file ends the loading with its message and CodigoResultado -1:
// the tables loaded before it are new, its own table and those after it keep
// whatever an earlier run left.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "run/forward.h"
#include "support/dbase/field.h"

namespace dae_import {

// The eight fields of daeNIVIMP, which daeNIVIMP2 repeats; the last two,
// ABREVCAST and ABREVEUSK, are the short names typed in the levels step.
const std::vector<dbase::FieldDef>& studyLevelFields();

// Loads the nine tables, one file after the other, in their fixed order.
// False when a file was missing (already reported).
bool loadCodeTables(run::Session& session, run::Dialogs& dialogs);

// The nine table names in loading order, and the loading of one of them
// alone, for measuring each; an unknown name throws support::Error.
std::vector<std::string> codeTableNames();
bool loadCodeTable(run::Session& session, run::Dialogs& dialogs, std::string_view tableName);

}  // namespace dae_import
