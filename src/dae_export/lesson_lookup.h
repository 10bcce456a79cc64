// What one lesson of the host's timetable takes from the master tables: the
// teacher's document from PROFT (found by ABREV; a teacher missing there is
// appended, so that the coding editor asks for the document), the start and
// end times from PLANTILLA (by HORA), the group's DAE codes from the first
// row of GRUPOST with the group's ABREV, and the subject's DAE code and name
// from the first row of ASIGNOMT with its COD.
//
// A timetable names each teacher, group, subject and hour many times: each
// is looked up once, the first time, and remembered for the rest of the
// build, during which the build holds the tables and nothing else changes
// them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "support/dbase/table.h"

namespace dae_export {

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

// What a lesson takes from the master tables: views into the lookup's memory
// and into the lesson, valid while both last.
struct LessonData {
  std::string_view documentType;
  std::string_view document;
  std::string_view start;
  std::string_view end;
  std::string_view level;
  std::string_view plan;
  std::string_view groupCode;
  std::string_view groupName;
  std::string_view pupils;
  std::string_view subjectCode;
  std::string_view subjectName;
  std::string_view task;
};

class LessonLookup {
 public:
  // The tables are open: teachers in the order of its tag ABREV, hours in
  // the order of its tag HORA.
  LessonLookup(dbase::Table& teachers, dbase::Table& groups, dbase::Table& subjects, dbase::Table& hours);

  // Each teacher, group, subject and hour looked up once: the views stay
  // valid as long as this object.
  LessonData lookUp(const Lesson& lesson);

  // The teachers appended to PROFT so far, by short name.
  const std::vector<std::string>& teachersAdded() const { return teachersAdded_; }

 private:
  struct Teacher {
    std::string documentType;
    std::string document;
  };
  struct Hour {
    bool found = false;
    std::string start;
    std::string end;
  };
  struct Group {
    bool found = false;
    std::string level;
    std::string plan;
    std::string code;
    std::string name;
    std::string maxPupils;
  };
  struct Subject {
    std::string code;
    std::string name;
  };

  const Teacher& teacher(const std::string& abrev);
  const Hour& hour(std::int32_t number);
  const Group& group(const std::string& abrev);
  const Subject& subject(const std::string& cod);

  dbase::Table& teachers_;
  dbase::Table& groups_;
  dbase::Table& subjects_;
  dbase::Table& hours_;
  std::unordered_map<std::string, Teacher> teacherData_;
  std::unordered_map<std::int32_t, Hour> hourData_;
  std::unordered_map<std::string, Group> groupData_;
  std::unordered_map<std::string, Subject> subjectData_;
  std::vector<std::string> teachersAdded_;
};

}  // namespace dae_export
