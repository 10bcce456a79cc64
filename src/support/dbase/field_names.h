// The fields of a table found by their exact names, as every field access by
// name does: an open-addressing table keyed by a name's length and outer
// letters, which differ between most names of a table, so that a search
// nearly always compares one name only.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "support/dbase/field.h"

namespace dbase {

class FieldNames {
 public:
  FieldNames() = default;
  // fields must outlive this object.
  explicit FieldNames(const std::vector<FieldDef>& fields);

  // The index of the field named exactly name; -1 when there is none.
  int find(std::string_view name) const;

 private:
  std::size_t slotOf(std::string_view name) const;

  const std::vector<FieldDef>* fields_ = nullptr;
  std::vector<int> slots_;  // field indexes, -1 where free; a power of two of them, four per field
};

}  // namespace dbase
