#include "dae_import/hour_templates.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "dae_import/dae_file.h"
#include "run/dialogs.h"
#include "run/session.h"
#include "support/cp1252.h"
#include "support/integer.h"
#include "support/text.h"

namespace dae_import {
namespace {

const dbase::TableDef kTemplateList = {
    "daePLANTILLAS", {dbase::characterField("CODIGO", 8), dbase::characterField("PLANTILLA", 50)}, {}};

const dbase::TableDef kDaysAndHours = {
    "DIASHORAST",
    {dbase::characterField("DIHO", 10), dbase::characterField("CODDIHO", 10),
     dbase::characterField("DIA", 20), dbase::characterField("TEXTODIA", 20),
     dbase::characterField("HORA", 8), dbase::characterField("TEXTOHOR", 15),
     dbase::characterField("HORADESDE", 8), dbase::characterField("HORAHASTA", 8),
     dbase::characterField("MINUTOS", 8), dbase::characterField("MARCO", 1),
     dbase::characterField("MARCOXML", 10), dbase::integerField("SESION_ORDEN"),
     dbase::characterField("PLANTILLA", 20), dbase::characterField("RECREO", 1)},
    {}};

constexpr std::size_t kHeaderLength = 59;
constexpr std::size_t kPeriodLength = 15;

// Windows-1252 bytes, as they are stored in the table.
const char* const kDayNames[] = {"Lunes",
                                 "Martes",
                                 "Mi\xE9rcoles",
                                 "Jueves",
                                 "Viernes",
                                 ("S\xE1"
                                  "bado"),
                                 "Domingo"};

// The line of PLANTILLAS.txt, else of T02.txt; without either, the two
// messages and nullopt. The result code is left alone.
std::optional<std::string> readTemplateFile(run::Session& session, run::Dialogs& dialogs) {
  for (const char* name : {"PLANTILLAS.txt", "T02.txt"}) {
    if (daeFileExists(session.CarpetaDAE, name)) return readDaeLine(session.CarpetaDAE, name);
  }
  dialogs.message("No existe archivo DAE (Plantillas.txt o T02.txt)");
  dialogs.message("Pero podrá Crear su Plantilla Horaria, cuando Exporte la Solución del Horario.");
  return std::nullopt;
}

// length characters from the 0-based position p, fewer at the end of the line.
std::string_view piece(std::string_view line, std::size_t p, std::size_t length) {
  return p < line.size() ? line.substr(p, length) : std::string_view();
}

bool isHeader(std::string_view record) { return !record.empty() && record.front() == '1'; }

// hh:mm as hours * 60 + minutes.
std::int32_t minuteOfDay(std::string_view time) {
  return support::strToInt(cutField(time, 1, 2)) * 60 + support::strToInt(cutField(time, 4, 2));
}

// Turns the period records of the chosen template into rows. The day name of
// a day number outside 1-7 is the previous record's in this build.
class DaysAndHoursWriter {
 public:
  explicit DaysAndHoursWriter(dbase::Table& table) : table_(table) {}

  // The code written with the periods that follow: the header's 8 characters.
  void startTemplate(std::string code) { templateCode_ = std::move(code); }

  void write(std::string_view record) {
    const std::int32_t period = support::strToInt(cutField(record, 2, 2));
    const std::int32_t day = support::strToInt(cutField(record, 4, 1));
    if (day >= 1 && day <= 7) dayName_ = kDayNames[day - 1];
    const std::string start = cutField(record, 5, 5);
    const std::string end = cutField(record, 10, 5);
    const std::int32_t minutes = minuteOfDay(end) - minuteOfDay(start);
    const std::string hour = std::to_string(period);
    table_.appendRecord({std::to_string(day) + hour, std::string(), std::to_string(day), dayName_, hour,
                         hour + "-" + start + "-" + end, start, end, std::to_string(minutes),
                         std::string("0"), std::string(), period, templateCode_, cutField(record, 15, 1)});
  }

 private:
  dbase::Table& table_;
  std::string templateCode_;
  std::string dayName_;
};

}  // namespace

void listTemplates(run::Session& session, run::Dialogs& dialogs) {
  dbase::Table list = dbase::recreateTable(session.workFolder, kTemplateList);
  const std::optional<std::string> file = readTemplateFile(session, dialogs);
  if (!file) return;
  const std::string_view line = *file;
  std::size_t p = 0;  // 0-based
  while (p < line.size()) {
    const std::string_view header = piece(line, p, kHeaderLength);
    p += kHeaderLength;
    if (!isHeader(header)) continue;
    list.appendRecord({cutField(header, 2, 8), cutField(header, 10, 50)});
    // Step over the periods; a record of type "1" is the next header. The
    // test is p < n in 1-based terms, so a single last character is read as a header.
    do {
      const std::string_view period = piece(line, p, kPeriodLength);
      p += kPeriodLength;
      if (isHeader(period)) {
        p -= kPeriodLength;
        break;
      }
    } while (p + 1 < line.size());
  }
  session.log.rowsWritten(kTemplateList.name, list.recordCount());
}

void AbrePlantillasDAE(dbase::Table& templates) {
  if (!templates.isOpen()) templates.open();
  if (templates.state() == dbase::EditState::Browse) templates.edit();
}

bool chooseTemplate(dbase::Table& templates, std::string_view code) {
  return templates.locate("CODIGO", {std::string(code)});
}

bool buildDaysAndHours(run::Session& session, run::Dialogs& dialogs, dbase::Table& templates) {
  if (!dbase::tableExists(session.workFolder, kTemplateList.name)) return false;
  const std::optional<std::string> file = readTemplateFile(session, dialogs);
  if (!file) return false;
  dbase::Table daysAndHours = dbase::recreateTable(session.workFolder, kDaysAndHours);
  const std::string_view line = *file;
  // The grid's current row; an empty list offers one blank pending row.
  const bool onRow =
      templates.isOpen() && (!templates.atEnd() || templates.state() != dbase::EditState::Browse);
  const std::string chosen = support::QuitaBlancosDer(onRow ? templates.text("CODIGO") : std::string());
  session.log.add("plantilla: " +
                  support::cp1252ToUtf8(onRow ? chosen + " " + templates.text("PLANTILLA") : "ninguna"));

  DaysAndHoursWriter writer(daysAndHours);
  std::size_t p = 0;  // 0-based; "p < n" below is the 1-based "p is less than n"
  while (p < line.size()) {
    const std::string_view header = piece(line, p, kHeaderLength);
    p += kHeaderLength;
    const bool wanted = isHeader(header) && support::QuitaBlancosDer(cutField(header, 2, 8)) == chosen;
    if (wanted) writer.startTemplate(cutField(header, 2, 8));
    while (p + 1 < line.size()) {
      const std::string_view period = piece(line, p, kPeriodLength);
      if (isHeader(period)) break;
      p += kPeriodLength;
      if (wanted) writer.write(period);
    }
  }
  templates.close();
  session.log.rowsWritten(kDaysAndHours.name, daysAndHours.recordCount());
  return true;
}

}  // namespace dae_import
