// The workspace of the import's tests (from the host's timetable to DAE): the
// timetabler tables and the host's SOLUC written from a few values, the DAE
// code tables the coding editor opens, and the DAE timetable file written.
#pragma once

#include <string>
#include <vector>

#include "toolkit/workspace.h"

namespace import_test {

using test_support::Rows;

// How SOLUC stores its numbers DIA, HORA and SESIONES (NALUM follows: an
// integer, a numeric or a character field).
enum class NumberKind { Integer, Numeric, Character };

// One lesson of SOLUC, every value as text ("" leaves a field empty).
struct Lesson {
  std::string dia;
  std::string hora;
  std::string sesiones;
  std::string prof;
  std::string codgrupo;
  std::string asig;
  std::string aula;
  std::string tarea;
  std::string nalum;
};

class ImportWorkspace : public test_support::Workspace {
 public:
  // Re-creates SOLUC with these lessons.
  void writeTimetable(const std::vector<Lesson>& lessons, NumberKind kind = NumberKind::Integer) const;
  // PROFT rows: ABREV, NOMBRE, DEPART, DNI, TIPODNI.
  void writeTeachers(const Rows& rows) const;
  // GRUPOST rows: ABREV, MAXALUM, CODGRUDAE, ALIASDAE, PLANDAE, NIVELDAE.
  void writeGroups(const Rows& rows) const;
  // ASIGNOMT rows: COD, NOMBRE, CODIGODAE.
  void writeSubjects(const Rows& rows) const;
  // DIASHORAST rows: DIHO, HORADESDE, HORAHASTA.
  void writeDaysAndHours(const Rows& rows) const;
  void writeCentre(const std::string& code, const std::string& year, const std::string& version) const;
  // The six DAE code tables of the coding editor's lists, empty.
  void writeCodeTables() const;

  // A school ready for the import: centre 014987/2025/1, the code tables,
  // teachers AB (document 0001 12345678Z), CD (none) and O'NE (0001
  // 87654321X), groups 1A (28 pupils, level N001, plan P001) and 1B (25,
  // N001, P002), subjects MAT (ASIG0001), LEN (ASIG0002) and GUA (task
  // 0102), and the class hours built from the 20 defaults.
  void writeSchool() const;

  // Sets TIPTAR of the CUADROH2 record of that session key, as the user does
  // in the coding editor.
  void typeTaskType(const std::string& sessionKey, const std::string& code) const;

  // The bytes of "fCUADROS.txt" in the DAE folder; "" when there is none.
  std::string outputFile() const;
  bool outputExists() const;
};

// The question shown when a teacher has no document at "&Terminar".
extern const std::string kTeacherWithoutDocument;

}  // namespace import_test
