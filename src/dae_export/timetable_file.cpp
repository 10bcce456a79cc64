#include "dae_export/timetable_file.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "dae_export/timetable_tables.h"
#include "run/dialogs.h"
#include "support/file_system.h"
#include "support/text.h"

namespace dae_export {
namespace {

constexpr std::string_view kFileName = "fCUADROS.txt";
constexpr std::string_view kEndOfRecord = "\r\n";

// Appends the value cut to width, or padded on the right with blanks to it.
void padded(std::string& line, std::string_view value, std::size_t width) {
  line.append(value.substr(0, width));
  line.append(width - std::min(width, value.size()), ' ');
}

// Appends the value followed by "0" characters up to width, or cut to width.
void zeroFilledRight(std::string& line, std::string_view value, std::size_t width) {
  line.append(value.substr(0, width));
  line.append(width - std::min(width, value.size()), '0');
}

// Appends the last width characters of "0000" followed by the value.
void zeroFilledLeft(std::string& line, std::string_view value, std::size_t width) {
  const std::string filled = "0000" + std::string(value);
  line.append(filled.substr(filled.size() - std::min(width, filled.size())));
}

void headerRecord(std::string& file, const dbase::Table& centre) {
  const bool onRecord = !centre.atEnd();
  file += "1CH";
  padded(file, onRecord ? centre.text("CODCENTRO") : std::string(), 6);
  padded(file, onRecord ? centre.text("ANOACAD") : std::string(), 4);
  file += kEndOfRecord;
}

void typeTwoRecord(std::string& file, const dbase::Table& t, const TypeTwoFields& f) {
  file += '2';
  file += t.characters(f.TIPDOC);
  padded(file, t.characters(f.DOC), 15);
  file += t.characters(f.NUMSESION);
  file += t.characters(f.DIASEM);
  padded(file, t.characters(f.TIPTAR), 4);
  file += t.characters(f.HORAINI);
  file += t.characters(f.HORAFIN);
  zeroFilledRight(file, t.characters(f.AULA_OBS), 8);
  const std::string_view activity = t.characters(f.TIP_ACTIV);
  if (support::trimControls(activity).empty()) {
    // A teaching line, or one without an activity: the subject.
    padded(file, t.characters(f.CODASIG), 8);
    padded(file, t.characters(f.TIPASIG), 1);
    padded(file, t.characters(f.IDIOMA), 2);
  } else {
    file += activity;
    file += t.characters(f.GRUPNIV);
    file += t.characters(f.PLAN);
  }
  file += kEndOfRecord;
}

void typeThreeRecord(std::string& file, const dbase::Table& t, const TypeThreeFields& f) {
  const std::string_view group = t.characters(f.CODGRUPO);
  file += '3';
  padded(file, group, 8);
  file += "00";
  file += t.characters(f.NUMSESGRUP);
  zeroFilledLeft(file, t.characters(f.NUMALUM), 4);
  padded(file, t.characters(f.ALIASDAE), 50);
  padded(file, group, 8);
  file += kEndOfRecord;
}

// Another handle on the same open table, ordered by session key.
dbase::Table inKeyOrder(const dbase::Table& table) {
  dbase::Table own(table.dbfPath().parent_path(), table.name());
  own.open({.readOnly = true});
  own.selectTag("PROF_DIA_SES");
  return own;
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

  const TypeTwoFields two(sessions);
  const TypeThreeFields three(groups);

  // A line of each record at its nominal length: the file is built in one
  // piece of memory, without copying itself as it grows.
  std::string file;
  file.reserve(15 + std::size_t(sessions.recordCount()) * 58 + std::size_t(groups.recordCount()) * 77);
  headerRecord(file, centre);
  groups.first();
  for (sessions.first(); !sessions.atEnd(); sessions.next()) {
    typeTwoRecord(file, sessions, two);
    const std::string_view key = sessions.characters(two.PROF_DIA_SES);
    // Both walk in key order, so the groups of a session usually follow
    // those of the session before; only a session whose groups do not
    // (a session without groups, two records of one session) searches.
    if ((groups.atEnd() || groups.characters(three.PROF_DIA_SES) != key) && !groups.findKey(key)) continue;
    for (; !groups.atEnd() && groups.characters(three.PROF_DIA_SES) == key; groups.next()) {
      typeThreeRecord(file, groups, three);
    }
  }
  support::writeFileAtomically(support::pathFromUtf8(CarpetaSalida) / kFileName, file);
  return true;
}

}  // namespace dae_export
