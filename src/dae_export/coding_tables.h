// The tables the DAE coding editor works on, opened and linked as the editor
// opens them when it is created (its FormCreate): the centre record; the
// teachers, for exclusive use in ABREV order; the type-2 records of the
// current teacher; the type-3 records (groups) of the current type-2 record;
// a second view of the type-3 records holding all of the current teacher's,
// used only to copy the teacher's document into them; and the six DAE code
// tables of the drop-down lists, read-only in physical order.
//
// The handles belong to whoever holds this object (the editor window, or the
// batch import standing in for it). Opening fails with the table engine's
// error when a table is missing or PROFT is held by another program.
#pragma once

#include <filesystem>

#include "support/dbase/table.h"

namespace dae_export {

struct CodingTables {
  // Binds every handle to its table in workFolder, closed.
  explicit CodingTables(const std::filesystem::path& workFolder);

  // Opens the tables in the editor's order and links the views; every view
  // stands on its first record (the type-2 and type-3 views follow their
  // master).
  void open();
  // Closes every handle. A record still being edited is dropped, as the grids
  // post theirs when the user leaves a row.
  void close();

  dbase::Table centre;         // daeCENTRO
  dbase::Table teachers;       // PROFT, exclusive, tag ABREV
  dbase::Table sessions;       // CUADROH2, detail of teachers: ABREV against tag ABREVPROF
  dbase::Table sessionGroups;  // CUADROH3, detail of sessions: PROF_DIA_SES against tag PROF_DIA_SES
  dbase::Table teacherGroups;  // CUADROH3, detail of teachers: ABREV against tag ABREVPROF
  dbase::Table documentTypes;  // daeTIPDOC
  dbase::Table taskTypes;      // daeTIPTAR
  dbase::Table levels;         // daeNIVIMP
  dbase::Table subjects;       // daeASIGNAT
  dbase::Table languages;      // daeIDIOMA
  dbase::Table activities;     // daeOTRACT
};

}  // namespace dae_export
