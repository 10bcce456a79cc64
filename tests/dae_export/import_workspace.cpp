#include "dae_export/import_workspace.h"

#include <gtest/gtest.h>

#include <random>
#include <system_error>

#include "dae_export/class_hours.h"
#include "dae_export/coding_editor.h"
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

// Creates the table and appends the rows (values to the leading fields).
void makeTable(const fs::path& folder, const dbase::TableDef& def, const Rows& rows) {
  dbase::Table table = dbase::recreateTable(folder, def);
  for (const auto& row : rows) table.appendRecord(std::vector<dbase::Value>(row.begin(), row.end()));
}

std::string cp(const std::string& utf8) { return support::utf8ToCp1252(utf8); }

}  // namespace

ImportWorkspace::ImportWorkspace() {
  std::random_device random;
  root_ = fs::temp_directory_path() / ("transorvaldae-import-" + std::to_string(random()));
  work_ = root_ / "work";
  dae_ = root_ / "dae";
  fs::create_directories(work_);
  fs::create_directories(dae_);
}

ImportWorkspace::~ImportWorkspace() {
  std::error_code ec;
  fs::remove_all(root_, ec);
}

converter::Session ImportWorkspace::session() const {
  converter::Session session;
  session.workFolder = work_;
  session.CarpetaDAE = (dae_ / "").string();
  return session;
}

void ImportWorkspace::writeTimetable(const std::vector<Lesson>& lessons, NumberKind kind) const {
  dbase::Table timetable = dbase::recreateTable(
      work_, {"SOLUC",
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
  makeTable(work_,
            {"PROFT",
             {characterField("ABREV", 10), characterField("NOMBRE", 80), characterField("DEPART", 40),
              characterField("DNI", 15), characterField("TIPODNI", 4), characterField("EMAIL", 100)},
             {{"ABREV", "ABREV"}}},
            rows);
}

void ImportWorkspace::writeGroups(const Rows& rows) const {
  makeTable(work_,
            {"GRUPOST",
             {characterField("ABREV", 10), dbase::integerField("MAXALUM"), characterField("CODGRUDAE", 8),
              characterField("ALIASDAE", 50), characterField("PLANDAE", 4), characterField("NIVELDAE", 4)},
             {}},
            rows);
}

void ImportWorkspace::writeSubjects(const Rows& rows) const {
  makeTable(work_,
            {"ASIGNOMT",
             {characterField("COD", 10), characterField("NOMBRE", 80), characterField("CODIGODAE", 8)},
             {}},
            rows);
}

void ImportWorkspace::writeDaysAndHours(const Rows& rows) const {
  makeTable(work_,
            {"DIASHORAST",
             {characterField("DIHO", 10), characterField("HORADESDE", 8), characterField("HORAHASTA", 8)},
             {}},
            rows);
}

void ImportWorkspace::writeCentre(const std::string& code, const std::string& year,
                                  const std::string& version) const {
  makeTable(work_,
            {"daeCENTRO",
             {characterField("CODCENTRO", 6), characterField("ANOACAD", 4), characterField("VERSION", 5)},
             {}},
            {{code, year, version}});
}

void ImportWorkspace::writeCodeTables() const {
  for (const char* name : {"daeTIPDOC", "daeTIPTAR", "daeNIVIMP", "daeASIGNAT", "daeIDIOMA", "daeOTRACT"}) {
    makeTable(work_, {name, {characterField("COD", 8), characterField("PLAN", 4)}, {}}, {});
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
  dae_export::buildClassHours(work_);
}

Rows ImportWorkspace::read(const std::string& table, const std::vector<std::string>& fields) const {
  dbase::Table records(work_, table);
  records.open({.readOnly = true});
  Rows rows;
  for (records.first(); !records.atEnd(); records.next()) {
    std::vector<std::string> row;
    for (const std::string& field : fields) row.push_back(support::cp1252ToUtf8(records.text(field)));
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string ImportWorkspace::outputFile() const {
  return outputExists() ? support::readFile(dae_ / "fCUADROS.txt") : std::string();
}

bool ImportWorkspace::outputExists() const { return fs::exists(dae_ / "fCUADROS.txt"); }

void ScriptedDialogs::message(const std::string& text) { shown.push_back(text); }

bool ScriptedDialogs::askYesNo(const std::string& text) {
  shown.push_back(text);
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected question: " << text;
    return false;
  }
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

bool ScriptedDialogs::askOkCancel(const std::string& caption, const std::string& text) {
  ADD_FAILURE() << "unexpected question: " << caption << " " << text;
  return false;
}

void ScriptedDialogs::checkClassHours(dbase::Table& classHours) {
  ++classHourChecks;
  if (classHourEdits) classHourEdits(classHours);
}

void ScriptedDialogs::runCodingEditor(dae_export::CodingEditor& editor) {
  ++editorRuns;
  if (editorActions) editorActions(editor);
  converter::Dialogs::runCodingEditor(editor);
}

}  // namespace import_test
