#include "dae_export/session_records.h"

#include <bit>
#include <functional>

namespace dae_export {
namespace {

std::size_t widthOf(const dbase::Table& table, int field) {
  return field < 0 ? 0 : static_cast<std::size_t>(table.fields()[static_cast<std::size_t>(field)].width);
}

void appendPadded(std::string& bytes, std::string_view value, std::size_t width) {
  value = value.substr(0, width);
  bytes += value;
  bytes.append(width - value.size(), ' ');
}

}  // namespace

SessionRecords::SessionRecords(const dbase::Table& table, int keyField, int groupField)
    : keyWidth_(widthOf(table, keyField)),
      groupWidth_(widthOf(table, groupField)),
      // Room for every record the table holds: a build that keeps the table
      // adds few.
      slots_(std::bit_ceil(2 * static_cast<std::size_t>(table.recordCount()) + 16), 0) {
  entryWidth_ = keyWidth_ + groupWidth_;
  keys_.reserve(entryWidth_ * static_cast<std::size_t>(table.recordCount()));
  records_.reserve(static_cast<std::size_t>(table.recordCount()));
  dbase::Table walk(table.dbfPath().parent_path(), table.name());
  walk.open({.readOnly = true});
  for (walk.first(); !walk.atEnd(); walk.next()) {
    const std::string_view key = walk.characters(keyField);
    const std::string_view group = groupField < 0 ? std::string_view() : walk.characters(groupField);
    add(walk.recordNumber() - 1, key, group);
  }
}

void SessionRecords::keyOf(std::string_view key, std::string_view group, std::string& bytes) const {
  bytes.clear();
  appendPadded(bytes, key, keyWidth_);
  appendPadded(bytes, group, groupWidth_);
}

std::size_t SessionRecords::slotOf(std::string_view bytes) const {
  return std::hash<std::string_view>()(bytes) & (slots_.size() - 1);
}

std::optional<std::uint32_t> SessionRecords::find(std::string_view key, std::string_view group) const {
  keyOf(key, group, probe_);
  // A timetable that kept its order asks for the entries one after another:
  // the entry after the last one found is tried before the table of places.
  if (next_ < records_.size() && entryKey(next_) == probe_) return records_[next_++];
  for (std::size_t slot = slotOf(probe_);; slot = (slot + 1) & (slots_.size() - 1)) {
    if (slots_[slot] == 0) return std::nullopt;
    const std::uint32_t entry = slots_[slot] - 1;
    if (entryKey(entry) == probe_) {
      next_ = entry + 1;
      return records_[entry];
    }
  }
}

std::string_view SessionRecords::entryKey(std::uint32_t entry) const {
  return std::string_view(keys_).substr(std::size_t{entry} * entryWidth_, entryWidth_);
}

// One probe: the place the key has when it is there, else the free place
// it takes.
void SessionRecords::add(std::uint32_t record, std::string_view key, std::string_view group) {
  if (2 * (records_.size() + 1) > slots_.size()) {
    slots_.assign(2 * slots_.size(), 0);
    for (std::uint32_t entry = 0; entry < records_.size(); ++entry) {
      std::size_t slot = slotOf(entryKey(entry));
      while (slots_[slot] != 0) slot = (slot + 1) & (slots_.size() - 1);
      slots_[slot] = entry + 1;
    }
  }
  keyOf(key, group, probe_);
  std::size_t slot = slotOf(probe_);
  for (; slots_[slot] != 0; slot = (slot + 1) & (slots_.size() - 1)) {
    if (entryKey(slots_[slot] - 1) == probe_) return;
  }
  keys_ += probe_;
  records_.push_back(record);
  slots_[slot] = static_cast<std::uint32_t>(records_.size());
}

}  // namespace dae_export
