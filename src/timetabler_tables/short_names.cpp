#include "timetabler_tables/short_names.h"

#include <utility>

#include "support/cp1252.h"

namespace timetabler_tables {
namespace {

std::string plainNumbered(std::string_view stem, std::int64_t number) {
  return std::string(stem) + std::to_string(number);
}

}  // namespace

ShortNameList::ShortNameList(NameComparison comparison) : comparison_(comparison) {}

std::string ShortNameList::key(std::string_view name) const {
  return comparison_ == NameComparison::IgnoreCase ? support::foldCaseCp1252(name) : std::string(name);
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
