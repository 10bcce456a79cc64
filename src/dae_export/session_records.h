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
  // fields: the character fields that make the key, in order. Walks the live
  // records of table (open) through a handle of its own.
  SessionRecords(const dbase::Table& table, std::vector<int> fields);

  // The first record (0-based) whose fields read as values; none when none does.
  std::optional<std::uint32_t> find(const std::vector<std::string_view>& values) const;
  // A record just appended with those values, which no record had before.
  void add(std::uint32_t record, const std::vector<std::string_view>& values);

 private:
  // The values padded with blanks to their fields' widths (cut to them).
  void keyOf(const std::vector<std::string_view>& values, std::string& key) const;
  std::size_t slotOf(std::string_view key) const;
  void insert(std::uint32_t entry);

  std::vector<int> fields_;
  std::vector<std::size_t> widths_;
  std::size_t keyWidth_ = 0;
  std::string keys_;                    // entry e's key at e * keyWidth_
  std::vector<std::uint32_t> records_;  // entry e's record
  std::vector<std::uint32_t> slots_;    // entry + 1, 0 where free; a power of two, at most half used
  mutable std::string probe_;
};

}  // namespace dae_export
