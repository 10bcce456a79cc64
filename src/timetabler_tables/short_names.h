// The list of short names given so far in one run of a builder: the keys of
// at most 10 characters by which the timetable refers to a subject, teacher,
// room or group. A name that is already taken gets 1, 2, 3 and so on
// appended until it is free; each builder says how names are compared and
// how a numbered name that grew too long is fitted.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "run/run_log.h"
#include "support/name_set.h"

namespace timetabler_tables {

using support::NameComparison;

// A numbered form of a name: the stem and the number. The default form is
// the stem followed by the number in decimal without leading zeros.
using NumberedForm = std::function<std::string(std::string_view stem, std::int64_t number)>;

class ShortNameList {
 public:
  explicit ShortNameList(NameComparison comparison);

  bool contains(std::string_view name) const;

  // Takes first when it is free. Otherwise tries the numbers 1, 2, 3 and so
  // on; for each number the forms are tried in order (the default form when
  // none are given), and the first free one is taken. The name taken is
  // entered in the list and returned. Requires: the forms produce a free
  // name for some number.
  std::string give(const std::string& first, const std::string& stem,
                   const std::vector<NumberedForm>& forms = {});

 private:
  support::NameSet taken_;
  // Per stem, the first number not yet known to give only taken names: names
  // are never freed, so the search for the next repeat starts there and a
  // long run of equal names is not walked again from 1 each time.
  std::unordered_map<std::string, std::int64_t> nextNumber_;
};

// Tells the run log about a short name that is not the one its record asked
// for: wanted was made shorter from source, or was taken and given was
// numbered. "TABLE: RECORD -> "GIVEN" (acortado de "SOURCE"; numerado:
// "WANTED" ya estaba)". record names the row in DAE's terms (its code);
// texts as the tables hold them (Windows-1252). Nothing when given is wanted
// and wanted is source.
void logShortName(run::RunLog& log, std::string_view table, std::string_view record, std::string_view source,
                  std::string_view wanted, std::string_view given);

}  // namespace timetabler_tables
