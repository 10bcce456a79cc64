// The records of a timetable work table by their session key (and, for
// CUADROH3, their group): the first live record holding each, as a search of
// the table in the order of its tag PROF_DIA_SES would find it. Filled from
// one walk of the table when a build starts and from the records the build
// appends; a build looks up every lesson's records here, which costs far less
// than a search of the table, and spares the table keeping an index order up
// to date while it grows.
//
// Values are compared as read (without trailing blanks). The keys are held in
// one piece of memory, at their fields' widths, with an open-addressing table
// of their places.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/dbase/table.h"

namespace dae_export {

class SessionRecords {
 public:
  // keyField, and groupField unless it is -1: character fields of table
  // (open), whose live records are walked through a handle of its own.
  SessionRecords(const dbase::Table& table, int keyField, int groupField = -1);

  // The first record (0-based) whose fields read as key (and group); none
  // when none does.
  std::optional<std::uint32_t> find(std::string_view key, std::string_view group = {}) const;
  // Enters record with those values, unless an earlier record holds them.
  void add(std::uint32_t record, std::string_view key, std::string_view group = {});

 private:
  // The values padded with blanks to their fields' widths (cut to them).
  void keyOf(std::string_view key, std::string_view group, std::string& bytes) const;
  std::size_t slotOf(std::string_view bytes) const;
  std::string_view entryKey(std::uint32_t entry) const;

  std::size_t keyWidth_ = 0;
  std::size_t groupWidth_ = 0;  // 0 without a group field
  std::size_t entryWidth_ = 0;
  std::string keys_;                    // entry e's key at e * entryWidth_
  std::vector<std::uint32_t> records_;  // entry e's record
  std::vector<std::uint32_t> slots_;    // entry + 1, 0 where free; a power of two, at most half used
  mutable std::string probe_;
  mutable std::uint32_t next_ = 0;  // the entry after the last one found
};

}  // namespace dae_export
