// Test support for the import (from the host's timetable to DAE): a work
// folder and a DAE folder under the system's temporary folder (removed
// afterwards), the timetabler tables and the host's SOLUC written from a few
// values, the DAE code tables the coding editor opens, and a Dialogs that
// records what it is shown and answers from a script.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "converter/dialogs.h"
#include "converter/session.h"

namespace import_test {

using Rows = std::vector<std::vector<std::string>>;

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

class ImportWorkspace {
 public:
  ImportWorkspace();
  ~ImportWorkspace();
  ImportWorkspace(const ImportWorkspace&) = delete;
  ImportWorkspace& operator=(const ImportWorkspace&) = delete;

  const std::filesystem::path& workFolder() const { return work_; }
  const std::filesystem::path& daeFolder() const { return dae_; }
  // A standalone session on these folders, CarpetaDAE set to the DAE folder.
  converter::Session session() const;

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

  // The fields of every record of table, in physical order (deleted ones
  // skipped), as text.
  Rows read(const std::string& table, const std::vector<std::string>& fields) const;
  // The bytes of "fCUADROS.txt" in the DAE folder; "" when there is none.
  std::string outputFile() const;
  bool outputExists() const;

 private:
  std::filesystem::path root_;
  std::filesystem::path work_;
  std::filesystem::path dae_;
};

// Records every text shown (questions too) and answers the Yes/No questions
// from a script; a question without a scripted answer is a test failure. The
// coding editor, when shown, runs editorActions (the user's edits) and then
// presses "&Terminar" once.
class ScriptedDialogs : public converter::Dialogs {
 public:
  void message(const std::string& text) override;
  bool askYesNo(const std::string& text) override;
  bool askOkCancel(const std::string& caption, const std::string& text) override;
  void checkClassHours(dbase::Table& classHours) override;
  void runCodingEditor(dae_export::CodingEditor& editor) override;

  std::deque<bool> answers;
  std::vector<std::string> shown;
  int classHourChecks = 0;
  int editorRuns = 0;
  std::function<void(dbase::Table& classHours)> classHourEdits;
  std::function<void(dae_export::CodingEditor& editor)> editorActions;
};

// The question shown when a teacher has no document at "&Terminar".
extern const std::string kTeacherWithoutDocument;

}  // namespace import_test
