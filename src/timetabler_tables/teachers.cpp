#include "timetabler_tables/teachers.h"

#include <optional>
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

constexpr std::string_view kTeachersFile = "profesorado.txt";
const std::string kTeachersFileMissing = "No existe archivo DAE de Profesores (profesorado.txt)";

constexpr int kFirstTeacher = 14;  // after the centre header
constexpr int kPublicRecordLength = 578;
constexpr int kPrivateRecordLength = 599;

const dbase::TableDef& teachersTable() {
  static const dbase::TableDef def{"PROFT",
                                   {
                                       dbase::characterField("ABREV", 10),
                                       dbase::characterField("NOMBRE", 80),
                                       dbase::characterField("DEPART", 40),
                                       dbase::characterField("DNI", 15),
                                       dbase::characterField("TIPODNI", 4),
                                       dbase::characterField("EMAIL", 100),
                                   },
                                   {{"ABREV", "ABREV"}}};
  return def;
}

void appendTeacher(dbase::Table& teachers, ShortNameList& taken, run::RunLog& log, std::string_view record) {
  const std::string first = support::QuitaBlancos(dae_import::cutField(record, 22, 50));
  const std::string second = support::QuitaBlancos(dae_import::cutField(record, 72, 50));
  const std::string third = support::QuitaBlancos(dae_import::cutField(record, 122, 30));
  const std::string initials =
      support::QuitaBlancos(first.substr(0, 1) + second.substr(0, 1) + third.substr(0, 1));

  const std::string name = first + " " + second + " " + third;
  const std::string document = support::QuitaBlancos(dae_import::cutField(record, 7, 15));
  const std::string shortName = taken.give(initials, initials);
  logShortName(log, teachersTable().name, document + " " + name, initials, initials, shortName);

  teachers.append();
  teachers.setText("ABREV", shortName);
  teachers.setText("NOMBRE", name);
  teachers.setText("DEPART", support::QuitaBlancos(dae_import::cutField(record, 161, 150)));
  teachers.setText("DNI", document);
  teachers.setText("TIPODNI", dae_import::cutField(record, 3, 4));
  teachers.post();
}

}  // namespace

BuildOutcome CreaProfesores(run::Session& session, run::Dialogs& dialogs) {
  const std::optional<std::string> line =
      dae_import::readDaeInput(session, dialogs, kTeachersFile, kTeachersFileMissing);
  if (!line) {
    if (!dbase::tableExists(session.workFolder, teachersTable().name)) {
      dbase::recreateTable(session.workFolder, teachersTable());
    }
    return BuildOutcome::InputMissing;
  }
  dbase::Table teachers = dbase::recreateTable(session.workFolder, teachersTable());
  ShortNameList taken(NameComparison::IgnoreCase);
  const int recordLength = session.publicCentre ? kPublicRecordLength : kPrivateRecordLength;
  dae_import::forEachRecord(*line, kFirstTeacher, recordLength, [&](std::string_view record) {
    appendTeacher(teachers, taken, session.log, record);
  });
  session.log.rowsWritten(teachersTable().name, teachers.recordCount());
  return BuildOutcome::Built;
}

}  // namespace timetabler_tables
