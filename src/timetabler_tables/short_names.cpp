#include "timetabler_tables/short_names.h"

#include <utility>

namespace timetabler_tables {
namespace {

// The lower-case byte of a Windows-1252 upper-case letter; other bytes stay.
char lowerCp1252(char c) {
  const auto b = static_cast<unsigned char>(c);
  if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) return static_cast<char>(b + 0x20);
  switch (b) {
    case 0x8A:  // S caron
    case 0x8C:  // OE
    case 0x8E:  // Z caron
      return static_cast<char>(b + 0x10);
    case 0x9F:  // Y diaeresis
      return static_cast<char>(0xFF);
    default:
      return c;
  }
}

std::string plainNumbered(std::string_view stem, std::int64_t number) {
  return std::string(stem) + std::to_string(number);
}

}  // namespace

ShortNameList::ShortNameList(NameComparison comparison) : comparison_(comparison) {}

std::string ShortNameList::key(std::string_view name) const {
  std::string k(name);
  if (comparison_ == NameComparison::IgnoreCase) {
    for (char& c : k) c = lowerCp1252(c);
  }
  return k;
}

bool ShortNameList::contains(std::string_view name) const { return taken_.contains(key(name)); }

std::string ShortNameList::give(const std::string& first, const std::string& stem,
                                const std::vector<NumberedForm>& forms) {
  if (taken_.insert(key(first)).second) return first;
  static const std::vector<NumberedForm> kPlain{plainNumbered};
  const std::vector<NumberedForm>& tried = forms.empty() ? kPlain : forms;
  std::int64_t& number = nextNumber_.try_emplace(stem, 1).first->second;
  for (;; ++number) {
    for (const NumberedForm& form : tried) {
      std::string name = form(stem, number);
      if (taken_.insert(key(name)).second) return name;
    }
  }
}

}  // namespace timetabler_tables
