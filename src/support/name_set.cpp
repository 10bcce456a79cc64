#include "support/name_set.h"

#include "support/cp1252.h"

namespace support {

std::string NameSet::key(std::string_view name) const {
  return comparison_ == NameComparison::IgnoreCase ? foldCaseCp1252(name) : std::string(name);
}

bool NameSet::contains(std::string_view name) const { return keys_.contains(key(name)); }

bool NameSet::insert(std::string_view name) { return keys_.insert(key(name)).second; }

}  // namespace support
