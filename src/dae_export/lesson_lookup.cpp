#include "dae_export/lesson_lookup.h"

#include "support/text.h"

namespace dae_export {
namespace {

constexpr std::size_t kSubjectCodeWidth = 8;

}  // namespace

LessonLookup::LessonLookup(dbase::Table& teachers, dbase::Table& groups, dbase::Table& subjects,
                           dbase::Table& hours)
    : teachers_(teachers), groups_(groups), subjects_(subjects), hours_(hours) {}

LessonData LessonLookup::lookUp(const Lesson& lesson) {
  LessonData data;
  const Teacher& t = teacher(lesson.teacher);
  data.documentType = t.documentType;
  data.document = t.document;

  if (const Hour& first = hour(lesson.hour); first.found) data.start = first.start;
  const std::int32_t lastHour = lesson.sessions < 2 ? lesson.hour : lesson.hour + lesson.sessions - 1;
  if (const Hour& last = hour(lastHour); last.found) data.end = last.end;

  data.pupils = lesson.pupils;
  if (const Group& g = group(lesson.group); g.found) {
    data.level = g.level;
    data.plan = g.plan;
    data.groupCode = g.code;
    data.groupName = g.name;
    if (data.pupils == "0") data.pupils = g.maxPupils;
  }

  const Subject& s = subject(lesson.subject);
  data.subjectCode = s.code;
  data.subjectName = s.name;

  data.task = lesson.task;
  if (support::QuitaBlancos(data.task).empty()) data.task = data.level.empty() ? std::string_view() : "101";
  return data;
}

const LessonLookup::Teacher& LessonLookup::teacher(const std::string& abrev) {
  const auto [it, added] = teacherData_.try_emplace(abrev);
  if (!added) return it->second;
  if (teachers_.findKey(abrev)) {
    it->second = {teachers_.text("TIPODNI"), teachers_.text("DNI")};
  } else {
    // Listed so that the coding editor asks for the teacher's document.
    teachers_.append();
    teachers_.setText("ABREV", abrev);
    teachers_.post();
    teachersAdded_.push_back(abrev);
  }
  return it->second;
}

const LessonLookup::Hour& LessonLookup::hour(std::int32_t number) {
  const auto [it, added] = hourData_.try_emplace(number);
  if (added && hours_.findKey(number)) it->second = {true, hours_.text("HORAINI"), hours_.text("HORAFIN")};
  return it->second;
}

const LessonLookup::Group& LessonLookup::group(const std::string& abrev) {
  const auto [it, added] = groupData_.try_emplace(abrev);
  if (added && groups_.locate("ABREV", {abrev})) {
    it->second = {true,
                  groups_.text("NIVELDAE"),
                  groups_.text("PLANDAE"),
                  groups_.text("CODGRUDAE"),
                  groups_.text("ALIASDAE"),
                  groups_.text("MAXALUM")};
  }
  return it->second;
}

const LessonLookup::Subject& LessonLookup::subject(const std::string& cod) {
  const auto [it, added] = subjectData_.try_emplace(cod);
  if (added && subjects_.locate("COD", {cod})) {
    it->second = {subjects_.text("CODIGODAE").substr(0, kSubjectCodeWidth), subjects_.text("NOMBRE")};
  }
  return it->second;
}

}  // namespace dae_export
