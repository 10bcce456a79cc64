#include "dae_export/timetable_tables.h"

#include <algorithm>

#include "support/dbase/table.h"

namespace dae_export {
namespace {

constexpr std::size_t kTeacherWidth = 10;
constexpr std::size_t kKeyWidth = 13;

}  // namespace

const dbase::TableDef& typeTwoTable() {
  using dbase::characterField;
  static const dbase::TableDef def{
      "CUADROH2",
      {characterField("TIPREG", 1),    characterField("TIPDOC", 4),     characterField("ABREVPROF", 10),
       characterField("DOC", 15),      characterField("NUMSESION", 2),  characterField("DIASEM", 1),
       characterField("TIPTAR", 4),    characterField("HORAINI", 5),    characterField("HORAFIN", 5),
       characterField("GRUPNIV", 4),   characterField("ABREVASIG", 10), characterField("CODASIG", 8),
       characterField("NOMASIG", 80),  characterField("TIPASIG", 4),    characterField("IDIOMA", 2),
       characterField("AULA_OBS", 30), characterField("TIP_ACTIV", 4),  characterField("PROF_DIA_SES", 13),
       characterField("DIA_SES", 3),   characterField("PLAN", 4),       characterField("REG_MOD", 1)},
      {{"ABREVPROF", "ABREVPROF"}, {"DOC", "DOC"}, {"PROF_DIA_SES", "PROF_DIA_SES"}, {"DIA_SES", "DIA_SES"}}};
  return def;
}

const dbase::TableDef& typeThreeTable() {
  using dbase::characterField;
  static const dbase::TableDef def{
      "CUADROH3",
      {characterField("TIPREG", 1), characterField("ABREVGRUP", 10), characterField("CODGRUPO", 8),
       characterField("TIPDOC", 4), characterField("ABREVPROF", 10), characterField("DOC", 15),
       characterField("NUMSESGRUP", 2), characterField("DIASEM", 1), characterField("NUMALUM", 2),
       characterField("ALIASDAE", 50), characterField("PROF_DIA_SES", 13), characterField("REG_MOD", 1)},
      {{"ABREVPROF", "ABREVPROF"}, {"DOC", "DOC"}, {"PROF_DIA_SES", "PROF_DIA_SES"}}};
  return def;
}

TypeTwoFields::TypeTwoFields(const dbase::Table& t)
    : TIPREG(t.fieldNumber("TIPREG")),
      TIPDOC(t.fieldNumber("TIPDOC")),
      ABREVPROF(t.fieldNumber("ABREVPROF")),
      DOC(t.fieldNumber("DOC")),
      NUMSESION(t.fieldNumber("NUMSESION")),
      DIASEM(t.fieldNumber("DIASEM")),
      TIPTAR(t.fieldNumber("TIPTAR")),
      HORAINI(t.fieldNumber("HORAINI")),
      HORAFIN(t.fieldNumber("HORAFIN")),
      GRUPNIV(t.fieldNumber("GRUPNIV")),
      ABREVASIG(t.fieldNumber("ABREVASIG")),
      CODASIG(t.fieldNumber("CODASIG")),
      NOMASIG(t.fieldNumber("NOMASIG")),
      TIPASIG(t.fieldNumber("TIPASIG")),
      IDIOMA(t.fieldNumber("IDIOMA")),
      AULA_OBS(t.fieldNumber("AULA_OBS")),
      TIP_ACTIV(t.fieldNumber("TIP_ACTIV")),
      PROF_DIA_SES(t.fieldNumber("PROF_DIA_SES")),
      DIA_SES(t.fieldNumber("DIA_SES")),
      PLAN(t.fieldNumber("PLAN")),
      REG_MOD(t.fieldNumber("REG_MOD")) {}

TypeThreeFields::TypeThreeFields(const dbase::Table& t)
    : TIPREG(t.fieldNumber("TIPREG")),
      ABREVGRUP(t.fieldNumber("ABREVGRUP")),
      CODGRUPO(t.fieldNumber("CODGRUPO")),
      TIPDOC(t.fieldNumber("TIPDOC")),
      ABREVPROF(t.fieldNumber("ABREVPROF")),
      DOC(t.fieldNumber("DOC")),
      NUMSESGRUP(t.fieldNumber("NUMSESGRUP")),
      DIASEM(t.fieldNumber("DIASEM")),
      NUMALUM(t.fieldNumber("NUMALUM")),
      ALIASDAE(t.fieldNumber("ALIASDAE")),
      PROF_DIA_SES(t.fieldNumber("PROF_DIA_SES")),
      REG_MOD(t.fieldNumber("REG_MOD")) {}

std::string sessionKey(std::string_view teacher, std::int32_t day, std::int32_t session) {
  std::string key(teacher.substr(0, kTeacherWidth));
  key.resize(kTeacherWidth, ' ');
  const std::string sessionText = std::to_string(session);
  key += std::to_string(day);
  if (sessionText.size() != 2) key += '0';
  key += sessionText;
  key.resize(std::min(key.size(), kKeyWidth));
  return key;
}

void CreaCuadros(const std::filesystem::path& workFolder) {
  for (const dbase::TableDef* def : {&typeTwoTable(), &typeThreeTable()})
    dbase::recreateTable(workFolder, *def);
}

}  // namespace dae_export
