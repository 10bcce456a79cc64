// A set of names (Windows-1252 bytes) compared exactly or without regard to
// the case of Windows-1252 letters: the short names a builder has given, the
// study levels' short names of one language typed so far.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace support {

enum class NameComparison {
  Exact,       // letter case and blanks count
  IgnoreCase,  // 'mat' is in the set when 'MAT' is (Windows-1252 letters)
};

class NameSet {
 public:
  explicit NameSet(NameComparison comparison) : comparison_(comparison) {}

  bool contains(std::string_view name) const;
  // Adds name; false when it was in the set already.
  bool insert(std::string_view name);

 private:
  std::string key(std::string_view name) const;

  NameComparison comparison_;
  std::unordered_set<std::string> keys_;
};

}  // namespace support
