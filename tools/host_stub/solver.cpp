#include "tools/host_stub/solver.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "support/dbase/table.h"
#include "support/text.h"
#include "tools/host_stub/solution_table.h"
#include "tools/host_stub/week_periods.h"

namespace host_stub {

namespace fs = std::filesystem;

namespace {

// The usable periods of the week, numbered by day and then hour; each day
// holds a contiguous range of those numbers (slots).
struct Week {
  std::vector<Period> slots;
  std::vector<std::pair<std::size_t, std::size_t>> days;  // [first slot, end slot)
};

Week readWeek(const fs::path& folder) {
  Week week;
  week.slots = readWeekPeriods(folder);
  for (std::size_t s = 0; s < week.slots.size(); ++s) {
    if (s == 0 || week.slots[s].day != week.slots[s - 1].day) week.days.emplace_back(s, s);
    week.days.back().second = s + 1;
  }
  return week;
}

// Short names in the order first met, each with its number.
class NameIndex {
 public:
  std::size_t add(const std::string& name) {
    const auto [it, added] = numbers_.try_emplace(name, names_.size());
    if (added) names_.push_back(name);
    return it->second;
  }
  std::optional<std::size_t> find(const std::string& name) const {
    const auto it = numbers_.find(name);
    return it == numbers_.end() ? std::nullopt : std::optional(it->second);
  }
  const std::string& name(std::size_t number) const { return names_[number]; }
  std::size_t size() const { return names_.size(); }

 private:
  std::unordered_map<std::string, std::size_t> numbers_;
  std::vector<std::string> names_;
};

NameIndex readNames(const fs::path& folder, const std::string& tableName) {
  dbase::Table table(folder, tableName);
  table.open({.readOnly = true});
  NameIndex names;
  for (table.first(); !table.atEnd(); table.next()) names.add(table.text("ABREV"));
  return names;
}

struct Rooms {
  NameIndex names;                                      // ABREV
  std::unordered_map<std::string, std::size_t> byCode;  // ABREV_GEST, the first room with it
};

Rooms readRooms(const fs::path& folder) {
  dbase::Table table(folder, "AULAT");
  table.open({.readOnly = true});
  Rooms rooms;
  for (table.first(); !table.atEnd(); table.next()) {
    const std::size_t room = rooms.names.add(table.text("ABREV"));
    rooms.byCode.try_emplace(table.text("ABREV_GEST"), room);
  }
  return rooms;
}

struct Assignment {
  std::string subject;
  std::string teacher;  // CPROF, usually empty
  std::string group;
  std::string room;  // the DAE room code of the group
  std::string task;
  double hours = 0;
};

std::vector<Assignment> readAssignments(const fs::path& folder) {
  dbase::Table table(folder, "ASIGT");
  table.open({.readOnly = true});
  std::vector<Assignment> assignments;
  for (table.first(); !table.atEnd(); table.next()) {
    assignments.push_back({table.text("CASIG"), table.text("CPROF"), table.text("CGRUP"), table.text("CAULA"),
                           support::trimControls(table.text("CTAREA")), table.number("HORAS")});
  }
  return assignments;
}

// One bit per slot (or per room) for each owner; a set bit is taken.
class Occupancy {
 public:
  Occupancy(std::size_t owners, std::size_t bits) : words_((bits + 63) / 64), bits_(owners * words_, 0) {}

  std::span<const std::uint64_t> row(std::size_t owner) const {
    return {bits_.data() + owner * words_, words_};
  }
  void take(std::size_t owner, std::size_t bit) {
    bits_[owner * words_ + bit / 64] |= std::uint64_t{1} << (bit % 64);
  }
  bool taken(std::size_t owner, std::size_t bit) const { return (row(owner)[bit / 64] >> (bit % 64)) & 1U; }

 private:
  std::size_t words_;
  std::vector<std::uint64_t> bits_;
};

// The first bit of [begin, end) clear in both rows; an empty row counts as
// all clear.
std::optional<std::size_t> firstClear(std::span<const std::uint64_t> a, std::span<const std::uint64_t> b,
                                      std::size_t begin, std::size_t end) {
  for (std::size_t w = begin / 64; w * 64 < end; ++w) {
    std::uint64_t clear = ~(a[w] | (b.empty() ? 0 : b[w]));
    if (w == begin / 64) clear &= ~std::uint64_t{0} << (begin % 64);
    if (end < (w + 1) * 64) clear &= (std::uint64_t{1} << (end % 64)) - 1;
    if (clear != 0) return w * 64 + static_cast<std::size_t>(std::countr_zero(clear));
  }
  return std::nullopt;
}

struct Lesson {
  Period period;  // day 0: no place found
  std::string teacher;
  std::string group;
  std::string subject;
  std::string room;
  std::string task;
};

class GreedyPlacer {
 public:
  // groups: every group that an assignment names, GRUPOST's and others.
  GreedyPlacer(Week week, NameIndex teachers, NameIndex groups, Rooms rooms)
      : week_(std::move(week)),
        teachers_(std::move(teachers)),
        groups_(std::move(groups)),
        rooms_(std::move(rooms)),
        teacherBusy_(teachers_.size(), week_.slots.size()),
        teacherFree_(teachers_.size(), week_.slots.size()),
        groupBusy_(groups_.size(), week_.slots.size()),
        groupSplit_(groups_.size(), week_.slots.size()),
        roomBusy_(week_.slots.size(), rooms_.names.size()),
        nextRoom_(week_.slots.size(), 0) {
    for (std::size_t t = 0; t < teachers_.size(); ++t) rotation_.push_back(t);
  }

  // Places the assignment's weekly hours, one lesson per hour; an assignment
  // never asks for more lessons than the week has periods.
  void place(const Assignment& assignment, std::size_t number, std::vector<Lesson>& lessons) {
    const std::size_t periods = week_.slots.size();
    const auto count =
        assignment.hours > 0
            ? static_cast<std::size_t>(std::lround(std::min(assignment.hours, double(periods))))
            : 0;
    if (count == 0) return;
    const std::optional<std::size_t> teacher = teacherFor(assignment);
    const std::optional<std::size_t> group =
        support::trimControls(assignment.group).empty() ? std::nullopt : groups_.find(assignment.group);
    std::vector<bool> dayUsed(week_.days.size(), false);
    for (std::size_t k = 0; k < count; ++k) {
      Lesson lesson{{},
                    teacher ? teachers_.name(*teacher) : "",
                    assignment.group,
                    assignment.subject,
                    "",
                    assignment.task};
      const std::optional<std::size_t> slot =
          teacher ? freeSlot(*teacher, group, number + k, dayUsed) : std::nullopt;
      if (slot) {
        lesson.period = week_.slots[*slot];
        lesson.room = takeRoom(*slot, assignment.room);
        teacherBusy_.take(*teacher, *slot);
        --teacherFree_[*teacher];
        if (group) (groupBusy_.taken(*group, *slot) ? groupSplit_ : groupBusy_).take(*group, *slot);
        ++placed_;
      } else {
        ++unplaced_;
      }
      lessons.push_back(std::move(lesson));
    }
  }

  std::size_t placed() const { return placed_; }
  std::size_t unplaced() const { return unplaced_; }

 private:
  // CPROF when it names a teacher, else the next teacher in turn who still
  // has a free period.
  std::optional<std::size_t> teacherFor(const Assignment& assignment) {
    if (const auto named = teachers_.find(assignment.teacher)) return named;
    while (!rotation_.empty()) {
      if (turn_ >= rotation_.size()) turn_ = 0;
      const std::size_t teacher = rotation_[turn_];
      if (teacherFree_[teacher] == 0) {
        // Full for good: the last in the rotation takes its place.
        rotation_[turn_] = rotation_.back();
        rotation_.pop_back();
        continue;
      }
      ++turn_;
      return teacher;
    }
    return std::nullopt;
  }

  // The first period free for both, looking first at days the assignment
  // has no lesson on yet, starting from a day that moves with each lesson so
  // that the week fills evenly. When the group has no such period left, half
  // of it takes the lesson while the other half is in another one: a group is
  // split in two halves at most.
  std::optional<std::size_t> freeSlot(std::size_t teacher, std::optional<std::size_t> group, std::size_t turn,
                                      std::vector<bool>& dayUsed) const {
    if (!group) return freeSlotBeside(teacher, {}, turn, dayUsed);
    if (const auto slot = freeSlotBeside(teacher, groupBusy_.row(*group), turn, dayUsed)) return slot;
    return freeSlotBeside(teacher, groupSplit_.row(*group), turn, dayUsed);
  }

  // The first period free for the teacher and clear in busy (an empty row
  // counts as all clear), by the days' turn as above.
  std::optional<std::size_t> freeSlotBeside(std::size_t teacher, std::span<const std::uint64_t> busy,
                                            std::size_t turn, std::vector<bool>& dayUsed) const {
    const std::size_t days = week_.days.size();
    for (const bool anyDay : {false, true}) {
      for (std::size_t j = 0; j < days; ++j) {
        const std::size_t day = (turn + j) % days;
        if (dayUsed[day] && !anyDay) continue;
        const auto [begin, end] = week_.days[day];
        if (const auto slot = firstClear(teacherBusy_.row(teacher), busy, begin, end)) {
          dayUsed[day] = true;
          return slot;
        }
      }
    }
    return std::nullopt;
  }

  // The group's own room when it is free, else the first free room.
  std::string takeRoom(std::size_t slot, const std::string& code) {
    std::optional<std::size_t> room;
    const auto own = rooms_.byCode.find(code);
    if (own != rooms_.byCode.end() && !roomBusy_.taken(slot, own->second)) room = own->second;
    if (!room) {
      room = firstClear(roomBusy_.row(slot), {}, nextRoom_[slot], rooms_.names.size());
      // Rooms are never freed, so the search for this period resumes here.
      nextRoom_[slot] = room.value_or(rooms_.names.size());
    }
    if (!room) return "";
    roomBusy_.take(slot, *room);
    return rooms_.names.name(*room);
  }

  Week week_;
  NameIndex teachers_;
  NameIndex groups_;
  Rooms rooms_;
  Occupancy teacherBusy_;
  std::vector<std::size_t> teacherFree_;
  Occupancy groupBusy_;
  Occupancy groupSplit_;  // a second lesson at once: the group is split in two halves
  Occupancy roomBusy_;    // one row per slot, one bit per room
  std::vector<std::size_t> nextRoom_;
  std::vector<std::size_t> rotation_;
  std::size_t turn_ = 0;
  std::size_t placed_ = 0;
  std::size_t unplaced_ = 0;
};

void writeSolution(const fs::path& folder, const std::vector<Lesson>& lessons) {
  dbase::Table solution = dbase::recreateTable(folder, solutionTable());
  dbase::WriteBatch writes(solution);
  for (const Lesson& lesson : lessons) {
    solution.appendRecord({lesson.period.day, lesson.period.hour, std::int32_t{1}, lesson.teacher,
                           lesson.group, lesson.subject, lesson.room, lesson.task, std::string("0")});
  }
  writes.commit();
  solution.close();
}

}  // namespace

Solution solveTimetable(const fs::path& folder) {
  // Everything is read before SOLUC is touched: a bad input leaves the
  // previous timetable as it was.
  const std::vector<Assignment> assignments = readAssignments(folder);
  NameIndex groups = readNames(folder, "GRUPOST");
  for (const Assignment& assignment : assignments) {
    // A group missing from GRUPOST still must not be in two places at once.
    if (!support::trimControls(assignment.group).empty()) groups.add(assignment.group);
  }
  GreedyPlacer placer(readWeek(folder), readNames(folder, "PROFT"), std::move(groups), readRooms(folder));
  std::vector<Lesson> lessons;
  for (std::size_t a = 0; a < assignments.size(); ++a) placer.place(assignments[a], a, lessons);
  writeSolution(folder, lessons);
  return {placer.placed(), placer.unplaced()};
}

}  // namespace host_stub
