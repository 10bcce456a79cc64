// The layout of the timetable SOLUC as the stand-in host writes it (the real
// host may use other field kinds; the import reads any of them).
#pragma once

#include "support/dbase/field.h"

namespace host_stub {

inline const dbase::TableDef& solutionTable() {
  static const dbase::TableDef def{
      "SOLUC",
      {dbase::integerField("DIA"), dbase::integerField("HORA"), dbase::integerField("SESIONES"),
       dbase::characterField("PROF", 10), dbase::characterField("CODGRUPO", 10),
       dbase::characterField("ASIG", 10), dbase::characterField("AULA", 10),
       dbase::characterField("TAREA", 4), dbase::characterField("NALUM", 4)},
      {}};
  return def;
}

}  // namespace host_stub
