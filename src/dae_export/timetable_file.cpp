#include "dae_export/timetable_file.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "run/dialogs.h"
#include "support/file_system.h"
#include "support/text.h"

namespace dae_export {
namespace {

constexpr std::string_view kFileName = "fCUADROS.txt";
constexpr std::string_view kEndOfRecord = "\r\n";

// The value cut to width, or padded on the right with blanks to it.
std::string padded(std::string value, std::size_t width) {
  value.resize(width, ' ');
  return value;
}

// The value followed by "0" characters up to width, or cut to width.
std::string zeroFilledRight(std::string value, std::size_t width) {
  value.resize(width, '0');
  return value;
}

// The last width characters of "0000" followed by the value.
std::string zeroFilledLeft(const std::string& value, std::size_t width) {
  const std::string filled = "0000" + value;
  return filled.substr(filled.size() - std::min(width, filled.size()));
}

std::string headerRecord(const dbase::Table& centre) {
  const bool onRecord = !centre.atEnd();
  return "1CH" + padded(onRecord ? centre.text("CODCENTRO") : std::string(), 6) +
         padded(onRecord ? centre.text("ANOACAD") : std::string(), 4);
}

std::string typeTwoRecord(const dbase::Table& t) {
  std::string record = "2" + t.text("TIPDOC") + padded(t.text("DOC"), 15) + t.text("NUMSESION") +
                       t.text("DIASEM") + padded(t.text("TIPTAR"), 4) + t.text("HORAINI") +
                       t.text("HORAFIN") + zeroFilledRight(t.text("AULA_OBS"), 8);
  const std::string activity = t.text("TIP_ACTIV");
  if (support::trimControls(activity).empty()) {
    // A teaching line, or one without an activity: the subject.
    return record + padded(t.text("CODASIG"), 8) + padded(t.text("TIPASIG"), 1) + padded(t.text("IDIOMA"), 2);
  }
  return record + activity + t.text("GRUPNIV") + t.text("PLAN");
}

std::string typeThreeRecord(const dbase::Table& t) {
  const std::string group = padded(t.text("CODGRUPO"), 8);
  return "3" + group + "00" + t.text("NUMSESGRUP") + zeroFilledLeft(t.text("NUMALUM"), 4) +
         padded(t.text("ALIASDAE"), 50) + group;
}

// Another handle on the same open table, ordered by session key.
dbase::Table inKeyOrder(const dbase::Table& table) {
  dbase::Table own(table.dbfPath().parent_path(), table.name());
  own.open({.readOnly = true});
  own.selectTag("PROF_DIA_SES");
  return own;
}

void add(std::string& file, const std::string& record) {
  file += record;
  file += kEndOfRecord;
}

}  // namespace

bool CreaTXTCuadroHorario(const std::string& CarpetaSalida, dbase::Table& centre, dbase::Table& typeTwo,
                          dbase::Table& typeThree, run::Dialogs& dialogs) {
  std::error_code ec;
  if (!std::filesystem::is_directory(support::pathFromUtf8(CarpetaSalida), ec)) {
    dialogs.message("No existe la carpeta");
    return false;
  }
  for (dbase::Table* table : {&centre, &typeTwo, &typeThree}) table->post();
  // Walked through handles of their own, so that the caller's views keep
  // their links and orders (the editor stays open when the file fails).
  dbase::Table sessions = inKeyOrder(typeTwo);
  dbase::Table groups = inKeyOrder(typeThree);

  std::string file;
  add(file, headerRecord(centre));
  for (sessions.first(); !sessions.atEnd(); sessions.next()) {
    add(file, typeTwoRecord(sessions));
    const std::string key = sessions.text("PROF_DIA_SES");
    if (!groups.findKey(key)) continue;
    for (; !groups.atEnd() && groups.text("PROF_DIA_SES") == key; groups.next()) {
      add(file, typeThreeRecord(groups));
    }
  }
  support::writeFileAtomically(support::pathFromUtf8(CarpetaSalida) / kFileName, file);
  return true;
}

}  // namespace dae_export
