#include "timetabler_tables/subjects.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "dae_import/dae_file.h"
#include "run/dialogs.h"
#include "run/session.h"
#include "support/dbase/table.h"
#include "support/text.h"
#include "timetabler_tables/short_names.h"

namespace timetabler_tables {
namespace {

constexpr std::string_view kSubjectsFile = "V55T15W18T54_1.txt";
const std::string kSubjectsFileMissing = "No existe archivo DAE de Asignaturas (V55T15W18T54_1.txt)";

const dbase::TableDef& subjectsTable() {
  static const dbase::TableDef def{"ASIGNOMT",
                                   {
                                       dbase::characterField("COD", 10),
                                       dbase::characterField("CODLARGO", 10),
                                       dbase::characterField("NOMBRE", 80),
                                       dbase::characterField("CODIGODAE", 8),
                                       dbase::logicalField("ESTAREA"),
                                       dbase::characterField("DENIVEL", 5),
                                       dbase::characterField("DECURSO", 3),
                                   },
                                   {}};
  return def;
}

// A subject's short code before it is made unique: its code in the chosen
// language when it has one; else the description, or its first letter and
// the initials of its other words when it is longer than 10 characters.
std::string baseShortCode(const std::string& code, const std::string& description) {
  if (!support::QuitaBlancos(code).empty()) return code;
  if (support::QuitaBlancos(description).size() > 10) {
    return (description.substr(0, 1) + support::Iniciales(description)).substr(0, 10);
  }
  return description;
}

// A numbered code longer than 10 characters keeps its first 20 - L and its
// last L - 10 characters: the whole number survives when the code had 10.
std::string numberedShortCode(std::string_view stem, std::int64_t number) {
  std::string code = std::string(stem) + std::to_string(number);
  if (support::QuitaBlancos(code).size() <= 10) return code;
  const std::size_t length = code.size();
  const std::size_t head = length < 20 ? 20 - length : 0;  // past 20 only the last 10 are left
  return code.substr(0, head) + code.substr(length - std::min<std::size_t>(length - 10, 10));
}

void appendRow(dbase::Table& subjects, const std::string& code, const std::string& longCode,
               const std::string& name, const std::string& daeCode, bool isTask) {
  subjects.append();
  subjects.setText("COD", code);
  subjects.setText("CODLARGO", longCode);
  subjects.setText("NOMBRE", name);
  subjects.setText("CODIGODAE", daeCode);
  subjects.setBoolean("ESTAREA", isTask);
  subjects.post();
}

dbase::Table openCodeTable(const run::Session& session, const char* name) {
  dbase::Table table(session.workFolder, name);
  table.open({.readOnly = true});
  return table;
}

}  // namespace

BuildOutcome CreaAsignaturas(run::Session& session, run::Dialogs& dialogs) {
  if (!dae_import::requireDaeInput(session, dialogs, kSubjectsFile, kSubjectsFileMissing)) {
    return BuildOutcome::InputMissing;
  }
  const bool euskera = session.euskera();
  const char* description = euskera ? "DESCEUSK" : "DESCCAST";

  dbase::Table daeSubjects = openCodeTable(session, "daeASIGNAT");
  dbase::Table subjects = dbase::recreateTable(session.workFolder, subjectsTable());
  ShortNameList taken(NameComparison::IgnoreCase);
  for (daeSubjects.first(); !daeSubjects.atEnd(); daeSubjects.next()) {
    const std::string daeCode = daeSubjects.text("COD");
    const std::string code = daeSubjects.text(euskera ? "CODEUSK" : "CODCAST");
    const std::string base = baseShortCode(code, daeSubjects.text(description));
    const std::string shortCode = taken.give(base, base, {numberedShortCode});
    logShortName(session.log, subjectsTable().name, daeCode,
                 support::QuitaBlancos(code).empty() ? daeSubjects.text(description) : code, base, shortCode);
    appendRow(subjects, shortCode, daeCode, daeSubjects.text(description), daeCode, false);
  }

  dbase::Table taskTypes = openCodeTable(session, "daeTIPTAR");
  for (taskTypes.first(); !taskTypes.atEnd(); taskTypes.next()) {
    const std::string code = taskTypes.text("COD");
    const std::string longCode = taskTypes.text("TIPTAR") + code + "-" + taskTypes.text("REFUERZO") +
                                 support::QuitaBlancos(taskTypes.text("OTRACTIV"));
    appendRow(subjects, code, longCode, taskTypes.text(description), code, true);
  }

  dbase::Table activities = openCodeTable(session, "daeOTRACT");
  for (activities.first(); !activities.atEnd(); activities.next()) {
    const std::string code = activities.text("COD");
    appendRow(subjects, "." + code, code, activities.text(description), code, true);
  }
  session.log.rowsWritten(subjectsTable().name, subjects.recordCount());
  return BuildOutcome::Built;
}

}  // namespace timetabler_tables
