#include "timetabler_tables/groups.h"

#include <optional>
#include <string>
#include <string_view>

#include "dae_import/dae_file.h"
#include "run/dialogs.h"
#include "run/session.h"
#include "support/dbase/table.h"
#include "support/integer.h"
#include "support/text.h"
#include "timetabler_tables/short_names.h"

namespace timetabler_tables {
namespace {

constexpr std::string_view kGroupsFile = "GRUPOS.txt";
const std::string kGroupsFileMissing = "No existe archivo DAE de Grupos (GRUPOS.txt)";

constexpr std::size_t kFirstRecord = 14;  // after the 13-character header
constexpr std::size_t kGroupRecordLength = 547;
constexpr std::size_t kShortRecordLength = 23;
constexpr char kGroupRecord = '2';

const dbase::TableDef& groupsTable() {
  static const dbase::TableDef def{
      "GRUPOST",
      {
          dbase::characterField("ABREV", 10),       dbase::characterField("TURNO", 1),
          dbase::characterField("NIVEL", 5),        dbase::characterField("CURSO", 3),
          dbase::characterField("GRUPO", 2),        dbase::characterField("MARCO", 1),
          dbase::characterField("DESCRIP", 80),     dbase::characterField("TUTOR", 10),
          dbase::integerField("MAXALUM"),           dbase::characterField("CODGRUDAE", 8),
          dbase::characterField("ALIASDAE", 50),    dbase::characterField("PLANDAE", 4),
          dbase::characterField("NIVELDAE", 4),     dbase::characterField("ESPECDAE", 4),
          dbase::characterField("TURNODAE", 4),     dbase::characterField("CURSODAE", 4),
          dbase::characterField("MODELODAE", 4),    dbase::characterField("TIPGRUDAE", 4),
          dbase::characterField("CODPLANTIDAE", 8), dbase::characterField("TIPDOCDAE", 4),
          dbase::characterField("DNITUTORDAE", 15), dbase::characterField("AULAGRUDAE", 8),
      },
      {}};
  return def;
}

// The DAE keys of a group record, copied into the table exactly as read.
struct CopiedField {
  const char* field;
  int start;
  int width;
};
constexpr CopiedField kCopiedFields[] = {
    {"CODGRUDAE", 2, 8},    {"ALIASDAE", 10, 50},    {"PLANDAE", 60, 4},   {"NIVELDAE", 64, 4},
    {"ESPECDAE", 68, 4},    {"TURNODAE", 72, 4},     {"CURSODAE", 76, 4},  {"MODELODAE", 80, 4},
    {"TIPGRUDAE", 84, 4},   {"CODPLANTIDAE", 88, 8}, {"TIPDOCDAE", 96, 4}, {"DNITUTORDAE", 100, 15},
    {"AULAGRUDAE", 540, 8},
};

// The shift letter from the last digit of the DAE shift code; a digit
// without a letter is its own shift. A blank or a non-digit throws.
std::string shiftLetter(std::string_view shiftCode) {
  const std::int32_t digit = support::strToInt(support::QuitaBlancos(dae_import::cutField(shiftCode, 4, 1)));
  switch (digit) {
    case 1:
      return "M";
    case 2:
      return "V";
    case 3:
      return "N";
    case 4:
      return "D";
    default:
      return std::to_string(digit);
  }
}

// The tables a group's level, speciality and tutor are looked up in.
class GroupLookups {
 public:
  explicit GroupLookups(const run::Session& session)
      : euskera_(session.euskera()),
        levels_(session.workFolder, "daeNIVIMP"),
        specialities_(session.workFolder, "daeESPECI"),
        teachers_(session.workFolder, "PROFT") {
    levels_.open({.readOnly = true});
    specialities_.open({.readOnly = true});
    teachers_.open({.readOnly = true});
    teachers_.selectTag("ABREV");  // of teachers sharing a document, the first by short name
  }

  // The level's short name in the chosen language; the DAE level code when
  // the level is unknown; "NIV" when either is blank.
  std::string levelName(std::string_view levelCode) {
    const std::string code = support::QuitaBlancos(levelCode);
    const std::string name = find(levels_, "COD", code, euskera_ ? "ABREVEUSK" : "ABREVCAST").value_or(code);
    return support::QuitaBlancos(name).empty() ? "NIV" : name;
  }

  std::string specialityName(std::string_view specialityCode) {
    return find(specialities_, "COD", specialityCode, euskera_ ? "DESCEUSK" : "DESCCAST").value_or("");
  }

  // The short name of the teacher with this document number; empty when none
  // has it. A blank number names no tutor.
  std::string tutor(std::string_view documentNumber) {
    return find(teachers_, "DNI", documentNumber, "ABREV").value_or("");
  }

 private:
  // The search disregards the key's trailing blanks, as the table does with
  // stored values; a blank key finds nothing, not a row with an empty field.
  static std::optional<std::string> find(dbase::Table& table, const char* keyField, std::string_view key,
                                         const char* resultField) {
    if (support::QuitaBlancos(key).empty() || !table.locate(keyField, {std::string(key)}))
      return std::nullopt;
    return table.text(resultField);
  }

  bool euskera_;
  dbase::Table levels_;
  dbase::Table specialities_;
  dbase::Table teachers_;
};

void appendGroup(dbase::Table& groups, GroupLookups& lookups, ShortNameList& taken, std::string_view record) {
  const std::string shift = shiftLetter(dae_import::cutField(record, 72, 4));
  const std::string level = lookups.levelName(dae_import::cutField(record, 64, 4));
  const std::string course =
      support::QuitaBlancos(dae_import::cutField(dae_import::cutField(record, 76, 4), 3, 2));
  // Short name: level + course + group number, the number counting the
  // groups of that level and course so far.
  const std::string key = support::QuitaBlancos(level).substr(0, 5) + course + "1";
  const std::string shortName = taken.give(key, key.substr(0, key.size() - 1));
  const std::string number = shortName.substr(shortName.size() - 1);
  const std::string description =
      shift + " " + level + " " + course + " " + number + "/" +
      support::QuitaBlancos(dae_import::cutField(record, 10, 50)) + "/" +
      support::QuitaBlancos(dae_import::cutField(record, 290, 50)) + " " +
      support::QuitaBlancos(lookups.specialityName(dae_import::cutField(record, 68, 4)));

  groups.append();
  groups.setText("ABREV", shortName);
  groups.setText("TURNO", shift);
  groups.setText("NIVEL", level);
  groups.setText("CURSO", course);
  groups.setText("GRUPO", number);
  groups.setText("MARCO", "0");
  groups.setText("DESCRIP", description);
  groups.setText("TUTOR", lookups.tutor(dae_import::cutField(record, 100, 15)));
  groups.setText("MAXALUM", dae_import::cutField(record, 286, 4));  // the table layer converts it
  for (const CopiedField& copied : kCopiedFields) {
    groups.setText(copied.field, dae_import::cutField(record, copied.start, copied.width));
  }
  groups.post();
}

}  // namespace

BuildOutcome CreaGrupos(run::Session& session, run::Dialogs& dialogs) {
  const std::optional<std::string> line =
      dae_import::readDaeInput(session, dialogs, kGroupsFile, kGroupsFileMissing);
  if (!line) return BuildOutcome::InputMissing;

  dbase::Table groups = dbase::recreateTable(session.workFolder, groupsTable());
  GroupLookups lookups(session);
  ShortNameList taken(NameComparison::Exact);
  run::SkippedRecords skipped;
  const std::string_view text = *line;
  std::size_t position = kFirstRecord;  // 1-based
  while (position <= text.size()) {
    const std::string_view record = text.substr(position - 1, kGroupRecordLength);
    position += kGroupRecordLength;
    if (record.front() != kGroupRecord) {
      skipped.skip("no es un registro de grupo", record.substr(0, 9));
      continue;
    }
    appendGroup(groups, lookups, taken, record);
    // The short records after a group are skipped up to the next group; a
    // record of any other type is skipped the same way, so reading always
    // moves on.
    while (position < text.size() && text[position - 1] != kGroupRecord) position += kShortRecordLength;
  }
  skipped.report(session.log, kGroupsFile);
  session.log.rowsWritten(groupsTable().name, groups.recordCount());
  return BuildOutcome::Built;
}

}  // namespace timetabler_tables
