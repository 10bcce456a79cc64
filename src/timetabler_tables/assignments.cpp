#include "timetabler_tables/assignments.h"

#include <optional>
#include <string>
#include <string_view>

#include "dae_import/dae_file.h"
#include "run/dialogs.h"
#include "run/session.h"
#include "support/dbase/table.h"
#include "support/text.h"

namespace timetabler_tables {
namespace {

constexpr std::string_view kCurriculumFile = "V55T15W18T54_2.txt";
const std::string kCurriculumFileMissing = "No existe archivo DAE (V55T15W18T54_2.txt)";
constexpr int kCurriculumRecordLength = 20;

constexpr double kWeeklyHours = 4;
constexpr const char* kSessions = "1111";
constexpr const char* kTask = "0100";

const dbase::TableDef& assignmentsTable() {
  static const dbase::TableDef def{"ASIGT",
                                   {
                                       dbase::characterField("CASIG", 10),
                                       dbase::characterField("CPROF", 10),
                                       dbase::characterField("CGRUP", 10),
                                       dbase::characterField("CAULA", 10),
                                       dbase::characterField("TURNO", 1),
                                       dbase::characterField("NIVEL", 5),
                                       dbase::characterField("CURSO", 3),
                                       dbase::characterField("GRUPO", 2),
                                       dbase::floatField("HORAS"),
                                       dbase::characterField("SESIONES", 20),
                                       dbase::characterField("CTAREA", 10),
                                       dbase::characterField("CLAVEGRUPO", 10),
                                       dbase::characterField("CLAVETURNO", 10),
                                       dbase::characterField("CLAVENIVEL", 10),
                                       dbase::characterField("CLAVEPLAN", 10),
                                       dbase::characterField("CLAVECURSO", 10),
                                       dbase::characterField("CLAVEESPEC", 10),
                                       dbase::characterField("CLAVEMODEL", 10),
                                       dbase::characterField("CLAVETIPGRU", 10),
                                       dbase::characterField("CLAVEPLANTI", 10),
                                       dbase::characterField("CLAVEASIG", 10),
                                   },
                                   {}};
  return def;
}

// Assignment fields copied from the group's row.
struct FromGroup {
  const char* assignmentField;
  const char* groupField;
};
constexpr FromGroup kFromGroup[] = {
    {"CGRUP", "ABREV"},          {"CAULA", "AULAGRUDAE"},      {"TURNO", "TURNO"},
    {"NIVEL", "NIVEL"},          {"CURSO", "CURSO"},           {"GRUPO", "GRUPO"},
    {"CLAVEGRUPO", "CODGRUDAE"}, {"CLAVETURNO", "TURNODAE"},   {"CLAVENIVEL", "NIVELDAE"},
    {"CLAVEPLAN", "PLANDAE"},    {"CLAVECURSO", "CURSODAE"},   {"CLAVEESPEC", "ESPECDAE"},
    {"CLAVEMODEL", "MODELODAE"}, {"CLAVETIPGRU", "TIPGRUDAE"}, {"CLAVEPLANTI", "CODPLANTIDAE"},
};

void appendAssignment(dbase::Table& assignments, const dbase::Table& subjects, const dbase::Table& groups) {
  assignments.append();
  assignments.setText("CASIG", subjects.text("COD"));
  for (const FromGroup& copied : kFromGroup) {
    assignments.setText(copied.assignmentField, groups.text(copied.groupField));
  }
  assignments.setNumber("HORAS", kWeeklyHours);
  assignments.setText("SESIONES", kSessions);
  assignments.setText("CTAREA", kTask);
  assignments.setText("CLAVEASIG", subjects.text("CODIGODAE"));
  assignments.post();
}

// A subject keeps the level and course of the first group it is given to;
// a second group of the same level makes it a subject of several courses.
void noteLevelAndCourse(dbase::Table& subjects, const dbase::Table& groups) {
  const std::string subjectLevel = support::QuitaBlancos(subjects.text("DENIVEL"));
  const std::string subjectCourse = support::QuitaBlancos(subjects.text("DECURSO"));
  const std::string groupLevel = groups.text("NIVEL");
  if (subjectLevel.empty() && subjectCourse.empty()) {
    subjects.edit();
    subjects.setText("DENIVEL", groupLevel);
    subjects.setText("DECURSO", groups.text("CURSO"));
    subjects.post();
  } else if (subjectLevel == groupLevel && !subjectCourse.empty()) {
    subjects.edit();
    subjects.setText("DECURSO", "");
    subjects.post();
  }
}

}  // namespace

BuildOutcome CreaAsignaciones(run::Session& session, run::Dialogs& dialogs) {
  const std::optional<std::string> line =
      dae_import::readDaeInput(session, dialogs, kCurriculumFile, kCurriculumFileMissing);
  if (!line) return BuildOutcome::InputMissing;

  dbase::Table assignments = dbase::recreateTable(session.workFolder, assignmentsTable());
  dbase::Table subjects(session.workFolder, "ASIGNOMT");
  subjects.open();
  dbase::Table groups(session.workFolder, "GRUPOST");
  groups.open({.readOnly = true});

  run::SkippedRecords skipped;
  dae_import::forEachRecord(*line, 1, kCurriculumRecordLength, [&](std::string_view record) {
    const std::string level = dae_import::cutField(record, 1, 4);
    const std::string plan = dae_import::cutField(record, 5, 4);
    const std::string speciality = dae_import::cutField(record, 9, 4);
    const std::string subjectCode = dae_import::cutField(record, 13, 8);

    if (!groups.locate("PLANDAE;NIVELDAE;ESPECDAE", {plan, level, speciality})) {
      skipped.skip("ningún grupo de ese plan, nivel y especialidad", record);
      return;
    }
    // A blank code names no subject (rather than one without a DAE code).
    if (support::QuitaBlancos(subjectCode).empty() || !subjects.locate("CODIGODAE", {subjectCode})) {
      skipped.skip("asignatura sin código o que no está en ASIGNOMT", record);
      return;
    }
    if (assignments.locate("CGRUP;CLAVEPLAN;CLAVENIVEL;CLAVEESPEC;CLAVEASIG",
                           {groups.text("ABREV"), plan, level, speciality, subjects.text("CODIGODAE")})) {
      skipped.skip("asignación repetida", record);
      return;
    }
    // The search disregards trailing blanks, this check does not: a code
    // ending in blanks is not the group's code.
    if (groups.text("PLANDAE") != plan || groups.text("NIVELDAE") != level ||
        groups.text("ESPECDAE") != speciality) {
      skipped.skip("plan, nivel o especialidad con blancos al final", record);
      return;
    }
    appendAssignment(assignments, subjects, groups);
    noteLevelAndCourse(subjects, groups);
  });
  skipped.report(session.log, kCurriculumFile);
  session.log.rowsWritten(assignmentsTable().name, assignments.recordCount());
  return BuildOutcome::Built;
}

}  // namespace timetabler_tables
