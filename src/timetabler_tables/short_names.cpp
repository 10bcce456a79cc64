#include "timetabler_tables/short_names.h"

#include <utility>

#include "support/cp1252.h"
#include "support/text.h"

namespace timetabler_tables {
namespace {

std::string plainNumbered(std::string_view stem, std::int64_t number) {
  return std::string(stem) + std::to_string(number);
}

}  // namespace

ShortNameList::ShortNameList(NameComparison comparison) : taken_(comparison) {}

bool ShortNameList::contains(std::string_view name) const { return taken_.contains(name); }

std::string ShortNameList::give(const std::string& first, const std::string& stem,
                                const std::vector<NumberedForm>& forms) {
  if (taken_.insert(first)) return first;
  static const std::vector<NumberedForm> kPlain{plainNumbered};
  const std::vector<NumberedForm>& tried = forms.empty() ? kPlain : forms;
  std::int64_t& number = nextNumber_.try_emplace(stem, 1).first->second;
  for (;; ++number) {
    for (const NumberedForm& form : tried) {
      std::string name = form(stem, number);
      if (taken_.insert(name)) return name;
    }
  }
}

void logShortName(run::RunLog& log, std::string_view table, std::string_view record, std::string_view source,
                  std::string_view wanted, std::string_view given) {
  const auto quoted = [](std::string_view text) { return "\"" + support::cp1252ToUtf8(text) + "\""; };
  std::string why;
  if (source != wanted) why = "acortado de " + quoted(source);
  if (given != wanted) why += (why.empty() ? "numerado: " : "; numerado: ") + quoted(wanted) + " ya estaba";
  if (why.empty()) return;
  log.add(std::string(table) + ": " + support::cp1252ToUtf8(support::trimControls(record)) + " -> " +
          quoted(given) + " (" + why + ")");
}

}  // namespace timetabler_tables
