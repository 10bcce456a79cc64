#include "support/dbase/field_names.h"

#include <bit>

namespace dbase {

FieldNames::FieldNames(const std::vector<FieldDef>& fields)
    : fields_(&fields), slots_(std::bit_ceil(4 * fields.size() + 1)), mask_(slots_.size() - 1) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string& name = fields[i].name;
    const Words words = wordsOf(name);
    std::size_t slot = slotOf(words, name.size());
    while (slots_[slot].field >= 0) slot = (slot + 1) & mask_;
    slots_[slot] = {words.first, words.last, name.size(), static_cast<int>(i)};
  }
}

bool FieldNames::sameBytes(int field, std::string_view name) const {
  return (*fields_)[static_cast<std::size_t>(field)].name == name;
}

}  // namespace dbase
