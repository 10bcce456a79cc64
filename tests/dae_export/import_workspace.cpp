#include "dae_export/import_workspace.h"

#include <stdexcept>

#include "dae_export/class_hours.h"
#include "support/cp1252.h"
#include "support/dbase/table.h"
#include "support/file_system.h"

namespace import_test {
namespace fs = std::filesystem;
using dbase::characterField;

const std::string kTeacherWithoutDocument =
    "           !!!ATENCIÓN!!!                 \r"
    "Todavía hay algún Profesor SIN DOCumento(DNI).\r"
    "       ¿Desea corregir esta incidencia?       ";

namespace {

dbase::FieldDef numberField(const std::string& name, NumberKind kind) {
  switch (kind) {
    case NumberKind::Integer:
      return dbase::integerField(name);
    case NumberKind::Numeric:
      return {name, dbase::FieldType::Numeric, 4, 0};
    case NumberKind::Character:
      return characterField(name, 4);
  }
  return {};
}

std::string cp(const std::string& utf8) { return support::utf8ToCp1252(utf8); }

}  // namespace

void ImportWorkspace::writeTimetable(const std::vector<Lesson>& lessons, NumberKind kind) const {
  dbase::Table timetable = dbase::recreateTable(
      workFolder(), {"SOLUC",
                     {numberField("DIA", kind), numberField("HORA", kind), numberField("SESIONES", kind),
                      characterField("PROF", 10), characterField("CODGRUPO", 10), characterField("ASIG", 10),
                      characterField("AULA", 10), characterField("TAREA", 4), numberField("NALUM", kind)},
                     {}});
  for (const Lesson& l : lessons) {
    timetable.appendRecord(
        {l.dia, l.hora, l.sesiones, cp(l.prof), cp(l.codgrupo), cp(l.asig), cp(l.aula), l.tarea, l.nalum});
  }
}

void ImportWorkspace::writeTeachers(const Rows& rows) const {
  makeTable({"PROFT",
             {characterField("ABREV", 10), characterField("NOMBRE", 80), characterField("DEPART", 40),
              characterField("DNI", 15), characterField("TIPODNI", 4), characterField("EMAIL", 100)},
             {{"ABREV", "ABREV"}}},
            rows);
}

void ImportWorkspace::writeGroups(const Rows& rows) const {
  makeTable({"GRUPOST",
             {characterField("ABREV", 10), dbase::integerField("MAXALUM"), characterField("CODGRUDAE", 8),
              characterField("ALIASDAE", 50), characterField("PLANDAE", 4), characterField("NIVELDAE", 4)},
             {}},
            rows);
}

void ImportWorkspace::writeSubjects(const Rows& rows) const {
  makeTable({"ASIGNOMT",
             {characterField("COD", 10), characterField("NOMBRE", 80), characterField("CODIGODAE", 8)},
             {}},
            rows);
}

void ImportWorkspace::writeDaysAndHours(const Rows& rows) const {
  makeTable({"DIASHORAST",
             {characterField("DIHO", 10), characterField("HORADESDE", 8), characterField("HORAHASTA", 8)},
             {}},
            rows);
}

void ImportWorkspace::writeCentre(const std::string& code, const std::string& year,
                                  const std::string& version) const {
  makeTable({"daeCENTRO",
             {characterField("CODCENTRO", 6), characterField("ANOACAD", 4), characterField("VERSION", 5)},
             {}},
            {{code, year, version}});
}

void ImportWorkspace::typeTaskType(const std::string& sessionKey, const std::string& code) const {
  dbase::Table sessions(workFolder(), "CUADROH2");
  sessions.open();
  if (!sessions.locate("PROF_DIA_SES", {sessionKey})) throw std::logic_error("no session " + sessionKey);
  sessions.edit();
  sessions.setText("TIPTAR", code);
  sessions.post();
}

void ImportWorkspace::writeCodeTables() const {
  for (const char* name : {"daeTIPDOC", "daeTIPTAR", "daeNIVIMP", "daeASIGNAT", "daeIDIOMA", "daeOTRACT"}) {
    makeTable({name, {characterField("COD", 8), characterField("PLAN", 4)}, {}}, {});
  }
}

void ImportWorkspace::writeSchool() const {
  writeCentre("014987", "2025", "1");
  writeCodeTables();
  writeTeachers({{"AB", "Ana Blanco", "Ciencias", "12345678Z", "0001"},
                 {"CD", "Carlos Diez", "Letras", "", ""},
                 {"O'NE", "Olga O'Neill", "Idiomas", "87654321X", "0001"}});
  writeGroups({{"1A", "28", "G0000001", cp("1º ESO A"), "P001", "N001"},
               {"1B", "25", "G0000002", cp("1º ESO B"), "P002", "N001"}});
  writeSubjects(
      {{"MAT", cp("Matemáticas"), "ASIG0001"}, {"LEN", "Lengua", "ASIG0002"}, {"GUA", "Guardia", "0102"}});
  dae_export::buildClassHours(workFolder());
}

std::string ImportWorkspace::outputFile() const {
  return outputExists() ? support::readFile(daeFolder() / "fCUADROS.txt") : std::string();
}

bool ImportWorkspace::outputExists() const { return fs::exists(daeFolder() / "fCUADROS.txt"); }

}  // namespace import_test
