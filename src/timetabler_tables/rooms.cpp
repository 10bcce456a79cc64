#include "timetabler_tables/rooms.h"

#include <optional>
#include <string>
#include <string_view>

#include "dae_import/dae_file.h"
#include "run/dialogs.h"
#include "run/session.h"
#include "support/dbase/table.h"
#include "timetabler_tables/short_names.h"

namespace timetabler_tables {
namespace {

constexpr std::string_view kRoomsFile = "AULAS.txt";
const std::string kRoomsFileMissing = "No existe archivo DAE de Aulas (AULAS.txt)";
constexpr int kRoomRecordLength = 61;

const dbase::TableDef& roomsTable() {
  static const dbase::TableDef def{"AULAT",
                                   {
                                       dbase::characterField("ABREV", 10),
                                       dbase::characterField("NOMBRE", 80),
                                       dbase::characterField("EDIFICIO", 1),
                                       dbase::integerField("MAXALUM"),
                                       dbase::characterField("ABREV_GEST", 10),
                                   },
                                   {{"ABREV", "ABREV"}}};
  return def;
}

// A numbered room name longer than 10 characters keeps its characters 1 to 8
// and 10 to 11 (an 8-character code loses the first digit of a 3-digit number).
std::string cutNumberedName(std::string_view code, std::int64_t number) {
  const std::string name = std::string(code) + std::to_string(number);
  return name.size() > 10 ? name.substr(0, 8) + name.substr(9, 2) : name;
}

// When that cut gives a name already taken, the code is cut instead, so that
// the whole number stays and the names remain unique however many rooms
// share a code.
std::string wholeNumberedName(std::string_view code, std::int64_t number) {
  const std::string digits = std::to_string(number);
  return std::string(code.substr(0, digits.size() < 10 ? 10 - digits.size() : 0)) + digits;
}

}  // namespace

BuildOutcome CreaAulas(run::Session& session, run::Dialogs& dialogs) {
  const std::optional<std::string> line =
      dae_import::readDaeInput(session, dialogs, kRoomsFile, kRoomsFileMissing);
  if (!line) return BuildOutcome::InputMissing;

  dbase::Table rooms = dbase::recreateTable(session.workFolder, roomsTable());
  ShortNameList taken(NameComparison::Exact);
  dae_import::forEachRecord(*line, 1, kRoomRecordLength, [&](std::string_view record) {
    const std::string code = dae_import::cutField(record, 1, 8);
    const std::string shortName = taken.give(code, code, {cutNumberedName, wholeNumberedName});
    logShortName(session.log, roomsTable().name, code, code, code, shortName);
    rooms.append();
    rooms.setText("ABREV", shortName);
    rooms.setText("NOMBRE", dae_import::cutField(record, 9, 50));
    rooms.setText("MAXALUM", dae_import::cutField(record, 59, 3));  // the table layer converts it
    rooms.setText("ABREV_GEST", code);
    rooms.post();
  });
  session.log.rowsWritten(roomsTable().name, rooms.recordCount());
  return BuildOutcome::Built;
}

}  // namespace timetabler_tables
