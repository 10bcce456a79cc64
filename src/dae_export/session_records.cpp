#include "dae_export/session_records.h"

#include <functional>
#include <utility>

namespace dae_export {

SessionRecords::SessionRecords(const dbase::Table& table, std::vector<int> fields)
    : fields_(std::move(fields)), slots_(16, 0) {
  for (const int f : fields_) {
    widths_.push_back(static_cast<std::size_t>(table.fields()[static_cast<std::size_t>(f)].width));
    keyWidth_ += widths_.back();
  }
  dbase::Table walk(table.dbfPath().parent_path(), table.name());
  walk.open({.readOnly = true});
  std::vector<std::string_view> values(fields_.size());
  for (walk.first(); !walk.atEnd(); walk.next()) {
    for (std::size_t k = 0; k < fields_.size(); ++k) values[k] = walk.characters(fields_[k]);
    if (!find(values)) add(walk.recordNumber() - 1, values);
  }
}

void SessionRecords::keyOf(const std::vector<std::string_view>& values, std::string& key) const {
  key.clear();
  for (std::size_t k = 0; k < widths_.size(); ++k) {
    const std::string_view value = values[k].substr(0, widths_[k]);
    key += value;
    key.append(widths_[k] - value.size(), ' ');
  }
}

std::size_t SessionRecords::slotOf(std::string_view key) const {
  return std::hash<std::string_view>()(key) & (slots_.size() - 1);
}

std::optional<std::uint32_t> SessionRecords::find(const std::vector<std::string_view>& values) const {
  keyOf(values, probe_);
  for (std::size_t slot = slotOf(probe_);; slot = (slot + 1) & (slots_.size() - 1)) {
    if (slots_[slot] == 0) return std::nullopt;
    const std::uint32_t entry = slots_[slot] - 1;
    if (std::string_view(keys_).substr(entry * keyWidth_, keyWidth_) == probe_) return records_[entry];
  }
}

void SessionRecords::add(std::uint32_t record, const std::vector<std::string_view>& values) {
  keyOf(values, probe_);
  keys_ += probe_;
  records_.push_back(record);
  if (2 * records_.size() > slots_.size()) {
    slots_.assign(2 * slots_.size(), 0);
    for (std::uint32_t entry = 0; entry + 1 < records_.size(); ++entry) insert(entry);
  }
  insert(static_cast<std::uint32_t>(records_.size() - 1));
}

void SessionRecords::insert(std::uint32_t entry) {
  std::size_t slot = slotOf(std::string_view(keys_).substr(entry * keyWidth_, keyWidth_));
  while (slots_[slot] != 0) slot = (slot + 1) & (slots_.size() - 1);
  slots_[slot] = entry + 1;
}

}  // namespace dae_export
