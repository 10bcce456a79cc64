#include "dae_export/class_hours.h"

#include <cstdint>
#include <string>

#include "dae_import/centre.h"
#include "run/dialogs.h"
#include "run/session.h"
#include "support/integer.h"

namespace dae_export {
namespace {

const dbase::TableDef kClassHours = {
    "PLANTILLA",
    {dbase::integerField("HORA"), dbase::characterField("HORAINI", 5), dbase::characterField("HORAFIN", 5)},
    {{"HORA", "HORA"}}};

constexpr std::int32_t kDefaultHours = 20;
// The default day starts at 08:00; hours after the 16th go on past midnight.
constexpr std::int32_t kFirstDefaultClock = 8;
constexpr std::int32_t kHoursBeforeMidnight = 16;

// "h:00", with a "0" in front when that is shorter than five characters.
std::string clockTime(std::int32_t hour) {
  const std::string time = std::to_string(hour) + ":00";
  return time.size() < 5 ? "0" + time : time;
}

void fillDefaults(dbase::Table& hours) {
  for (std::int32_t i = 1; i <= kDefaultHours; ++i) {
    const std::int32_t clock =
        i <= kHoursBeforeMidnight ? i + kFirstDefaultClock - 1 : i - kHoursBeforeMidnight - 1;
    hours.appendRecord({i, clockTime(clock), clockTime(clock + 1)});
  }
}

// DIHO is the day digit followed by the session number ("11", "112").
std::int32_t sessionOf(const std::string& diho) {
  return support::strToInt(diho.size() > 1 ? diho.substr(1, 2) : std::string());
}

void fillFromDaysAndHours(dbase::Table& hours, dbase::Table& daysAndHours) {
  std::int32_t next = 1;
  for (daysAndHours.first(); !daysAndHours.atEnd(); daysAndHours.next()) {
    if (sessionOf(daysAndHours.text("DIHO")) != next) continue;
    hours.appendRecord({next, daysAndHours.text("HORADESDE"), daysAndHours.text("HORAHASTA")});
    ++next;
  }
}

// A centre table without its row is what a centre panel left when it was
// abandoned: asking again beats a DAE file with a blank centre.
bool centreRecorded(const std::filesystem::path& workFolder) {
  if (!dbase::tableExists(workFolder, "daeCENTRO")) return false;
  dbase::Table centre(workFolder, "daeCENTRO");
  centre.open({.readOnly = true});
  return centre.recordCount() > 0;
}

}  // namespace

int buildClassHours(const std::filesystem::path& workFolder) {
  dbase::Table hours = dbase::recreateTable(workFolder, kClassHours);
  if (!dbase::tableExists(workFolder, "DIASHORAST")) {
    fillDefaults(hours);
  } else {
    dbase::Table daysAndHours(workFolder, "DIASHORAST");
    daysAndHours.open({.exclusive = true});
    fillFromDaysAndHours(hours, daysAndHours);
  }
  return hours.recordCount();
}

void PlantillaCentro(run::Session& session, run::Dialogs& dialogs) {
  session.log.rowsWritten(kClassHours.name, buildClassHours(session.workFolder));
  dbase::Table hours(session.workFolder, kClassHours.name);
  dialogs.checkClassHours(hours);
  hours.close();
  if (!centreRecorded(session.workFolder)) {
    dae_import::CreaCentro(session.workFolder);
    session.log.add("daeCENTRO: creada vacía, para los datos del centro");
    session.FlagPaso = 1;
  }
}

}  // namespace dae_export
