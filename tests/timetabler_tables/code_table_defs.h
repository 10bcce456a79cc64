// The DAE code tables the builders read, with the layouts the code-table
// loading gives them, so that tests can fill them through the engine.
#pragma once

#include "support/dbase/field.h"

namespace timetabler_tables {

inline dbase::TableDef daeSubjectsDef() {
  using dbase::characterField;
  return {"daeASIGNAT",
          {characterField("COD", 8), characterField("DESCCAST", 100), characterField("DESCEUSK", 100),
           characterField("DESCCASTR", 20), characterField("DESCEUSKR", 20), characterField("CODCAST", 4),
           characterField("CODEUSK", 4), characterField("TIPOASIG", 4)},
          {}};
}

inline dbase::TableDef daeTaskTypesDef() {
  using dbase::characterField;
  return {"daeTIPTAR",
          {characterField("TIPTAR", 1), characterField("COD", 4), characterField("REFUERZO", 1),
           characterField("DESCCAST", 250), characterField("DESCEUSK", 250), characterField("NIVEL", 1),
           characterField("OTRACTIV", 1)},
          {}};
}

inline dbase::TableDef daeActivitiesDef() {
  using dbase::characterField;
  return {"daeOTRACT",
          {characterField("COD", 4), characterField("DESCCAST", 100), characterField("DESCEUSK", 100),
           characterField("DESCCASTR", 20), characterField("DESCEUSKR", 20)},
          {}};
}

inline dbase::TableDef daeLevelsDef() {
  using dbase::characterField;
  return {"daeNIVIMP",
          {characterField("COD", 4), characterField("PLAN", 4), characterField("DESCCAST", 50),
           characterField("DESCEUSK", 50), characterField("DESCCASTR", 20), characterField("DESCEUSKR", 20),
           characterField("ABREVCAST", 5), characterField("ABREVEUSK", 5)},
          {}};
}

inline dbase::TableDef daeSpecialitiesDef() {
  using dbase::characterField;
  return {"daeESPECI",
          {characterField("COD", 4), characterField("DESCCAST", 50), characterField("DESCEUSK", 50)},
          {}};
}

}  // namespace timetabler_tables
