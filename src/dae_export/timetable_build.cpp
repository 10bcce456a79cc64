#include "dae_export/timetable_build.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "dae_export/lesson_lookup.h"
#include "dae_export/session_records.h"
#include "dae_export/timetable_tables.h"
#include "support/dbase/table.h"
#include "support/text.h"

namespace dae_export {
namespace {

// A lesson's row of SOLUC with its numbers, converted when SOLUC is first
// read; its texts are read again when the lesson is written, so that a
// large timetable is not held twice.
struct LessonRow {
  dbase::Bookmark row;
  std::int32_t day = 0;
  std::int32_t hour = 0;
  std::int32_t sessions = 0;
};

constexpr std::size_t kGroupWidth = 10;  // ABREVGRUP
constexpr std::size_t kLongestNonSubjectCode = 4;
const std::string kWrittenNow = "S";
const std::string kOlder = "N";

// A whole number read from a field of any kind: an empty numeric field reads
// as 0, and the host may store numbers as text, where an empty value counts
// as 0 too.
std::int32_t wholeNumber(const dbase::Table& table, int field) {
  if (table.fields()[static_cast<std::size_t>(field)].type != dbase::FieldType::Character) {
    return table.integer(field);
  }
  return support::trimControls(table.characters(field)).empty() ? 0 : table.integer(field);
}

// The rows that make timetable records: a lesson of day 0 has no place in the
// week, and one without a teacher belongs to nobody.
std::vector<LessonRow> readLessons(dbase::Table& timetable) {
  const int day = timetable.fieldNumber("DIA");
  const int hour = timetable.fieldNumber("HORA");
  const int sessions = timetable.fieldNumber("SESIONES");
  const int teacher = timetable.fieldNumber("PROF");
  std::vector<LessonRow> lessons;
  for (timetable.first(); !timetable.atEnd(); timetable.next()) {
    LessonRow lesson;
    lesson.day = wholeNumber(timetable, day);
    if (lesson.day == 0 || timetable.text(teacher).empty()) continue;
    lesson.row = timetable.bookmark();
    lesson.hour = wholeNumber(timetable, hour);
    lesson.sessions = wholeNumber(timetable, sessions);
    lessons.push_back(lesson);
  }
  return lessons;
}

// The texts of SOLUC's rows, by field number.
struct LessonFields {
  explicit LessonFields(const dbase::Table& t)
      : PROF(t.fieldNumber("PROF")),
        CODGRUPO(t.fieldNumber("CODGRUPO")),
        ASIG(t.fieldNumber("ASIG")),
        AULA(t.fieldNumber("AULA")),
        TAREA(t.fieldNumber("TAREA")),
        NALUM(t.fieldNumber("NALUM")) {}
  int PROF, CODGRUPO, ASIG, AULA, TAREA, NALUM;
};

Lesson readLesson(dbase::Table& timetable, const LessonFields& f, const LessonRow& row) {
  timetable.gotoBookmark(row.row);
  return {row.day,
          row.hour,
          row.sessions,
          timetable.text(f.PROF),
          timetable.text(f.CODGRUPO),
          timetable.text(f.ASIG),
          timetable.text(f.AULA),
          timetable.text(f.TAREA),
          timetable.text(f.NALUM)};
}

// The parts of a session key: teacher (padded), day, session, day and session.
std::string teacherPart(const std::string& key) { return key.substr(0, 10); }
std::string dayPart(const std::string& key) { return key.substr(10, 1); }
std::string sessionPart(const std::string& key) { return key.substr(11, 2); }
std::string daySessionPart(const std::string& key) { return key.substr(10, 3); }

bool blank(const std::string& value) { return support::QuitaBlancos(value).empty(); }

// A character field reads back without its trailing blanks: it holds only
// blanks exactly when nothing of it is left.
bool blank(const dbase::Table& table, int field) { return table.characters(field).empty(); }

// Sets field unless the record already holds a value there.
void setWhenEmpty(dbase::Table& table, int field, std::string_view value) {
  if (blank(table, field)) table.setText(field, value);
}

// The handles of one build, all open.
class TimetableBuild {
 public:
  explicit TimetableBuild(const std::filesystem::path& workFolder)
      : timetable_(workFolder, "SOLUC"),
        groups_(workFolder, "GRUPOST"),
        teachers_(workFolder, "PROFT"),
        subjects_(workFolder, "ASIGNOMT"),
        hours_(workFolder, "PLANTILLA"),
        typeTwo_(workFolder, typeTwoTable().name),
        typeThree_(workFolder, typeThreeTable().name),
        lookup_(teachers_, groups_, subjects_, hours_) {
    for (dbase::Table* input : {&timetable_, &groups_, &teachers_, &subjects_})
      input->open({.exclusive = true});
    teachers_.selectTag("ABREV");
    hours_.open();
    hours_.selectTag("HORA");
    lessons_ = readLessons(timetable_);
    report_.rowsSkipped = timetable_.recordCount() - static_cast<std::int64_t>(lessons_.size());
  }

  OpenTimetableTables run(const std::filesystem::path& workFolder, WorkTables tables) {
    rebuilding_ = tables == WorkTables::Rebuild;
    if (rebuilding_) CreaCuadros(workFolder);
    for (dbase::Table* work : {&typeTwo_, &typeThree_}) {
      work->open();
      work->selectTag("PROF_DIA_SES");
    }
    // The work tables are written when their records are complete, a run of
    // records at a time, rather than record by record.
    dbase::WriteBatch typeTwoWrites(typeTwo_);
    dbase::WriteBatch typeThreeWrites(typeThree_);
    const LessonFields lessonFields(timetable_);
    const TypeTwoFields typeTwoFields(typeTwo_);
    const TypeThreeFields typeThreeFields(typeThree_);
    SessionRecords typeTwoRecords(typeTwo_, typeTwoFields.PROF_DIA_SES);
    SessionRecords typeThreeRecords(typeThree_, typeThreeFields.PROF_DIA_SES, typeThreeFields.ABREVGRUP);
    for (const LessonRow& row : lessons_) {
      const Lesson lesson = readLesson(timetable_, lessonFields, row);
      const LessonData data = lookup_.lookUp(lesson);
      const std::string key = sessionKey(lesson.teacher, lesson.day, lesson.hour);
      writeTypeTwo(typeTwoFields, typeTwoRecords, key, lesson, data);
      if (!blank(lesson.group)) writeTypeThree(typeThreeFields, typeThreeRecords, key, lesson, data);
    }
    for (dbase::Table* input : {&timetable_, &groups_, &teachers_, &subjects_}) input->close();
    if (!rebuilding_) {
      sweep(typeTwo_);
      sweep(typeThree_);
    }
    typeTwoWrites.commit();
    typeThreeWrites.commit();
    hours_.close();
    report_.teachersAdded = lookup_.teachersAdded();
    return {std::move(typeTwo_), std::move(typeThree_), std::move(report_)};
  }

 private:
  // Goes to the record that records holds for the key (and group), in edit;
  // or starts a new one when there is none. True when it is new.
  static bool editOrAppend(dbase::Table& t, const SessionRecords& records, std::string_view key,
                           std::string_view group = {}) {
    if (const std::optional<std::uint32_t> record = records.find(key, group)) {
      t.gotoBookmark({*record + 1});
      t.edit();
      return false;
    }
    t.append();
    return true;
  }

  void writeTypeTwo(const TypeTwoFields& f, SessionRecords& records, const std::string& key,
                    const Lesson& lesson, const LessonData& data) {
    dbase::Table& t = typeTwo_;
    const bool added = editOrAppend(t, records, key);
    t.setText(f.TIPREG, "2");
    setWhenEmpty(t, f.TIPDOC, data.documentType);
    t.setText(f.ABREVPROF, teacherPart(key));
    setWhenEmpty(t, f.DOC, data.document);
    t.setText(f.NUMSESION, sessionPart(key));
    t.setText(f.DIASEM, dayPart(key));
    setWhenEmpty(t, f.TIPTAR, data.task);
    t.setText(f.HORAINI, data.start);
    t.setText(f.HORAFIN, data.end);
    setWhenEmpty(t, f.GRUPNIV, data.level);
    t.setText(f.ABREVASIG, lesson.subject);
    t.setText(f.CODASIG, data.subjectCode);
    t.setText(f.NOMASIG, data.subjectName);
    t.setText(f.TIPASIG, " ");
    if (support::QuitaBlancos(data.subjectCode).size() > kLongestNonSubjectCode) t.setText(f.IDIOMA, "02");
    t.setText(f.AULA_OBS, lesson.room);
    t.setText(f.TIP_ACTIV, "   ");
    t.setText(f.PROF_DIA_SES, key);
    t.setText(f.DIA_SES, daySessionPart(key));
    t.setText(f.PLAN, data.plan);
    t.setText(f.REG_MOD, writtenMark());
    t.post();
    if (added) records.add(t.recordNumber() - 1, key);
  }

  void writeTypeThree(const TypeThreeFields& f, SessionRecords& records, const std::string& key,
                      const Lesson& lesson, const LessonData& data) {
    dbase::Table& t = typeThree_;
    // Compared as stored: a group name longer than the field is kept cut.
    const std::string_view group = std::string_view(lesson.group).substr(0, kGroupWidth);
    const bool added = editOrAppend(t, records, key, group);
    if (added) t.setText(f.CODGRUPO, data.groupCode);
    // Several rows of one session may name the same group: the first number
    // of pupils written in this build stands.
    const bool pupilsWrittenNow =
        !blank(t, f.NUMALUM) && (rebuilding_ || t.characters(f.REG_MOD) == kWrittenNow);
    t.setText(f.TIPREG, "3");
    t.setText(f.ABREVGRUP, lesson.group);
    setWhenEmpty(t, f.TIPDOC, data.documentType);
    t.setText(f.ABREVPROF, teacherPart(key));
    setWhenEmpty(t, f.DOC, data.document);
    t.setText(f.NUMSESGRUP, sessionPart(key));
    t.setText(f.DIASEM, dayPart(key));
    if (!pupilsWrittenNow) t.setText(f.NUMALUM, data.pupils);
    t.setText(f.ALIASDAE, data.groupName);
    t.setText(f.PROF_DIA_SES, key);
    t.setText(f.REG_MOD, writtenMark());
    t.post();
    if (added) records.add(t.recordNumber() - 1, key, group);
  }

  // A rebuilt table holds only what this build writes, and the sweep would
  // only turn every mark into "older": its records are written so at once,
  // which spares rewriting every record.
  const std::string& writtenMark() const { return rebuilding_ ? kOlder : kWrittenNow; }

  // Deletes the records this build did not write (sessions and groups that
  // left the timetable) and marks the others as older for the next build.
  static void sweep(dbase::Table& table) {
    table.selectTag("");
    std::vector<dbase::Bookmark> gone;
    for (table.first(); !table.atEnd(); table.next()) {
      if (table.text("REG_MOD") == kOlder) {
        gone.push_back(table.bookmark());
        continue;
      }
      table.edit();
      table.setText("REG_MOD", kOlder);
      table.post();
    }
    for (const dbase::Bookmark& mark : gone) {
      table.gotoBookmark(mark);
      table.remove();
    }
  }

  dbase::Table timetable_;
  dbase::Table groups_;
  dbase::Table teachers_;
  dbase::Table subjects_;
  dbase::Table hours_;
  dbase::Table typeTwo_;
  dbase::Table typeThree_;
  LessonLookup lookup_;
  std::vector<LessonRow> lessons_;
  bool rebuilding_ = false;
  TimetableBuildReport report_;
};

}  // namespace

void OpenTimetableTables::close() {
  typeTwo.close();
  typeThree.close();
}

TimetableBuildReport buildTimetableTables(const std::filesystem::path& workFolder, WorkTables tables) {
  OpenTimetableTables built = buildTimetableTablesForEditing(workFolder, tables);
  built.close();
  return std::move(built.report);
}

OpenTimetableTables buildTimetableTablesForEditing(const std::filesystem::path& workFolder,
                                                   WorkTables tables) {
  return TimetableBuild(workFolder).run(workFolder, tables);
}

}  // namespace dae_export
