// The DAE timetable work tables, built from the host's timetable and
// completed in the coding editor: CUADROH2 holds one type-2 record per
// teacher, day and session (what the teacher does then), CUADROH3 one type-3
// record per pupil group taught in such a session. Both carry the session key
// PROF_DIA_SES that ties a type-3 record to its type-2 record and orders the
// DAE timetable file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "support/dbase/field.h"
#include "support/dbase/table.h"

namespace dae_export {

const dbase::TableDef& typeTwoTable();    // CUADROH2
const dbase::TableDef& typeThreeTable();  // CUADROH3

// The fields of each table by number, found once in an open table: the build
// sets every one of them on every record, and the DAE timetable file reads
// most of them. Throws support::Error when the table lacks one.
struct TypeTwoFields {
  explicit TypeTwoFields(const dbase::Table& t);
  int TIPREG, TIPDOC, ABREVPROF, DOC, NUMSESION, DIASEM, TIPTAR, HORAINI, HORAFIN, GRUPNIV, ABREVASIG,
      CODASIG, NOMASIG, TIPASIG, IDIOMA, AULA_OBS, TIP_ACTIV, PROF_DIA_SES, DIA_SES, PLAN, REG_MOD;
};

struct TypeThreeFields {
  explicit TypeThreeFields(const dbase::Table& t);
  int TIPREG, ABREVGRUP, CODGRUPO, TIPDOC, ABREVPROF, DOC, NUMSESGRUP, DIASEM, NUMALUM, ALIASDAE,
      PROF_DIA_SES, REG_MOD;
};

// The session key: the teacher's short name padded with blanks to 10
// characters (or cut to its first 10), the day as decimal text and the
// session as decimal text with a "0" in front unless it has exactly two
// characters; 13 characters, cut there when a day or session is longer.
std::string sessionKey(std::string_view teacher, std::int32_t day, std::int32_t session);

// Deletes CUADROH2 and CUADROH3 (.DBF and .MDX) and creates both empty,
// closed (CreaCuadros).
void CreaCuadros(const std::filesystem::path& workFolder);

}  // namespace dae_export
