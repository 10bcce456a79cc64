#include "support/dbase/field_names.h"

#include <bit>
#include <cstring>

namespace dbase {

FieldNames::FieldNames(const std::vector<FieldDef>& fields)
    : fields_(&fields), slots_(std::bit_ceil(4 * fields.size() + 1), -1) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::size_t slot = slotOf(fields[i].name);
    while (slots_[slot] >= 0) slot = (slot + 1) & (slots_.size() - 1);
    slots_[slot] = static_cast<int>(i);
  }
}

std::size_t FieldNames::slotOf(std::string_view name) const {
  if (name.empty()) return 0;
  const auto first = static_cast<unsigned char>(name.front());
  const auto last = static_cast<unsigned char>(name.back());
  return (name.size() * 131 + first * 31 + last) & (slots_.size() - 1);
}

int FieldNames::find(std::string_view name) const {
  if (slots_.empty()) return -1;
  for (std::size_t slot = slotOf(name);; slot = (slot + 1) & (slots_.size() - 1)) {
    const int f = slots_[slot];
    if (f < 0) return -1;
    const std::string& candidate = (*fields_)[static_cast<std::size_t>(f)].name;
    if (candidate.size() == name.size() && std::memcmp(candidate.data(), name.data(), name.size()) == 0) return f;
  }
}

}  // namespace dbase
