#include "dae_export/timetable_build.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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

// One lesson of the host's timetable, as read from SOLUC.
struct Lesson {
  std::int32_t day = 0;
  std::int32_t hour = 0;
  std::int32_t sessions = 0;
  std::string teacher;
  std::string group;
  std::string subject;
  std::string room;
  std::string task;
  std::string pupils;
};

// What a lesson takes from the master tables.
struct LessonData {
  std::string documentType;
  std::string document;
  std::string start;
  std::string end;
  std::string level;
  std::string plan;
  std::string groupCode;
  std::string groupName;
  std::string pupils;
  std::string subjectCode;
  std::string subjectName;
  std::string task;
};

constexpr std::size_t kGroupWidth = 10;  // ABREVGRUP
constexpr std::size_t kSubjectCodeWidth = 8;
constexpr std::size_t kLongestNonSubjectCode = 4;
const std::string kWrittenNow = "S";
const std::string kOlder = "N";

// A whole number read from a field of any kind; the host may store numbers
// as text, and an empty value counts as 0 there as in a numeric field.
std::int32_t wholeNumber(const dbase::Table& table, std::string_view field) {
  return support::trimControls(table.text(field)).empty() ? 0 : table.integer(field);
}

// The rows that make timetable records: a lesson of day 0 has no place in the
// week, and one without a teacher belongs to nobody.
std::vector<LessonRow> readLessons(dbase::Table& timetable) {
  std::vector<LessonRow> lessons;
  for (timetable.first(); !timetable.atEnd(); timetable.next()) {
    LessonRow lesson;
    lesson.day = wholeNumber(timetable, "DIA");
    if (lesson.day == 0 || timetable.text("PROF").empty()) continue;
    lesson.row = timetable.bookmark();
    lesson.hour = wholeNumber(timetable, "HORA");
    lesson.sessions = wholeNumber(timetable, "SESIONES");
    lessons.push_back(lesson);
  }
  return lessons;
}

Lesson readLesson(dbase::Table& timetable, const LessonRow& row) {
  timetable.gotoBookmark(row.row);
  return {row.day,
          row.hour,
          row.sessions,
          timetable.text("PROF"),
          timetable.text("CODGRUPO"),
          timetable.text("ASIG"),
          timetable.text("AULA"),
          timetable.text("TAREA"),
          timetable.text("NALUM")};
}

// The parts of a session key: teacher (padded), day, session, day and session.
std::string teacherPart(const std::string& key) { return key.substr(0, 10); }
std::string dayPart(const std::string& key) { return key.substr(10, 1); }
std::string sessionPart(const std::string& key) { return key.substr(11, 2); }
std::string daySessionPart(const std::string& key) { return key.substr(10, 3); }

bool blank(const std::string& value) { return support::QuitaBlancos(value).empty(); }

// Sets field unless the record already holds a value there.
void setWhenEmpty(dbase::Table& table, std::string_view field, const std::string& value) {
  if (blank(table.text(field))) table.setText(field, value);
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
        typeThree_(workFolder, typeThreeTable().name) {
    for (dbase::Table* input : {&timetable_, &groups_, &teachers_, &subjects_})
      input->open({.exclusive = true});
    teachers_.selectTag("ABREV");
    hours_.open();
    hours_.selectTag("HORA");
    lessons_ = readLessons(timetable_);
  }

  OpenTimetableTables run(const std::filesystem::path& workFolder, WorkTables tables) {
    rebuilding_ = tables == WorkTables::Rebuild;
    if (rebuilding_) CreaCuadros(workFolder);
    for (dbase::Table* work : {&typeTwo_, &typeThree_}) {
      work->open();
      work->selectTag("PROF_DIA_SES");
    }
    for (const LessonRow& row : lessons_) write(readLesson(timetable_, row));
    for (dbase::Table* input : {&timetable_, &groups_, &teachers_, &subjects_}) input->close();
    if (!rebuilding_) {
      sweep(typeTwo_);
      sweep(typeThree_);
    }
    hours_.close();
    return {std::move(typeTwo_), std::move(typeThree_)};
  }

 private:
  void write(const Lesson& lesson) {
    const LessonData data = lookUp(lesson);
    const std::string key = sessionKey(lesson.teacher, lesson.day, lesson.hour);
    writeTypeTwo(key, lesson, data);
    if (!blank(lesson.group)) writeTypeThree(key, lesson, data);
  }

  LessonData lookUp(const Lesson& lesson) {
    LessonData data;
    if (teachers_.findKey(lesson.teacher)) {
      data.document = teachers_.text("DNI");
      data.documentType = teachers_.text("TIPODNI");
    } else {
      // Listed so that the coding editor asks for the teacher's document.
      teachers_.append();
      teachers_.setText("ABREV", lesson.teacher);
      teachers_.post();
    }

    if (hours_.findKey(lesson.hour)) data.start = hours_.text("HORAINI");
    const std::int32_t lastHour = lesson.sessions < 2 ? lesson.hour : lesson.hour + lesson.sessions - 1;
    if (hours_.findKey(lastHour)) data.end = hours_.text("HORAFIN");

    data.pupils = lesson.pupils;
    if (groups_.locate("ABREV", {lesson.group})) {
      data.level = groups_.text("NIVELDAE");
      data.plan = groups_.text("PLANDAE");
      data.groupCode = groups_.text("CODGRUDAE");
      data.groupName = groups_.text("ALIASDAE");
      if (data.pupils == "0") data.pupils = groups_.text("MAXALUM");
    }

    if (subjects_.locate("COD", {lesson.subject})) {
      data.subjectCode = subjects_.text("CODIGODAE").substr(0, kSubjectCodeWidth);
      data.subjectName = subjects_.text("NOMBRE");
    }

    data.task = lesson.task;
    if (blank(data.task)) data.task = data.level.empty() ? std::string() : "101";
    return data;
  }

  void writeTypeTwo(const std::string& key, const Lesson& lesson, const LessonData& data) {
    dbase::Table& t = typeTwo_;
    if (t.findKey(key)) {
      t.edit();
    } else {
      t.append();
    }
    t.setText("TIPREG", "2");
    setWhenEmpty(t, "TIPDOC", data.documentType);
    t.setText("ABREVPROF", teacherPart(key));
    setWhenEmpty(t, "DOC", data.document);
    t.setText("NUMSESION", sessionPart(key));
    t.setText("DIASEM", dayPart(key));
    setWhenEmpty(t, "TIPTAR", data.task);
    t.setText("HORAINI", data.start);
    t.setText("HORAFIN", data.end);
    setWhenEmpty(t, "GRUPNIV", data.level);
    t.setText("ABREVASIG", lesson.subject);
    t.setText("CODASIG", data.subjectCode);
    t.setText("NOMASIG", data.subjectName);
    t.setText("TIPASIG", " ");
    if (support::QuitaBlancos(data.subjectCode).size() > kLongestNonSubjectCode) t.setText("IDIOMA", "02");
    t.setText("AULA_OBS", lesson.room);
    t.setText("TIP_ACTIV", "   ");
    t.setText("PROF_DIA_SES", key);
    t.setText("DIA_SES", daySessionPart(key));
    t.setText("PLAN", data.plan);
    t.setText("REG_MOD", writtenMark());
    t.post();
  }

  void writeTypeThree(const std::string& key, const Lesson& lesson, const LessonData& data) {
    dbase::Table& t = typeThree_;
    // Compared as stored: a group name longer than the field is kept cut.
    const bool known = t.locate("PROF_DIA_SES;ABREVGRUP", {key, lesson.group.substr(0, kGroupWidth)});
    if (known) {
      t.edit();
    } else {
      t.append();
      t.setText("CODGRUPO", data.groupCode);
    }
    // Several rows of one session may name the same group: the first number
    // of pupils written in this build stands.
    const bool pupilsWrittenNow =
        !blank(t.text("NUMALUM")) && (rebuilding_ || t.text("REG_MOD") == kWrittenNow);
    t.setText("TIPREG", "3");
    t.setText("ABREVGRUP", lesson.group);
    setWhenEmpty(t, "TIPDOC", data.documentType);
    t.setText("ABREVPROF", teacherPart(key));
    setWhenEmpty(t, "DOC", data.document);
    t.setText("NUMSESGRUP", sessionPart(key));
    t.setText("DIASEM", dayPart(key));
    if (!pupilsWrittenNow) t.setText("NUMALUM", data.pupils);
    t.setText("ALIASDAE", data.groupName);
    t.setText("PROF_DIA_SES", key);
    t.setText("REG_MOD", writtenMark());
    t.post();
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
  std::vector<LessonRow> lessons_;
  bool rebuilding_ = false;
};

}  // namespace

void OpenTimetableTables::close() {
  typeTwo.close();
  typeThree.close();
}

void buildTimetableTables(const std::filesystem::path& workFolder, WorkTables tables) {
  buildTimetableTablesForEditing(workFolder, tables).close();
}

OpenTimetableTables buildTimetableTablesForEditing(const std::filesystem::path& workFolder,
                                                   WorkTables tables) {
  return TimetableBuild(workFolder).run(workFolder, tables);
}

}  // namespace dae_export
