#include "tools/host_stub/week_periods.h"

#include <algorithm>

#include "support/dbase/table.h"
#include "support/integer.h"
#include "support/text.h"

namespace host_stub {

std::vector<Period> readWeekPeriods(const std::filesystem::path& folder) {
  dbase::Table table(folder, "DIASHORAST");
  table.open({.readOnly = true});
  std::vector<Period> periods;
  for (table.first(); !table.atEnd(); table.next()) {
    if (support::trimControls(table.text("RECREO")) == "S") continue;
    periods.push_back({support::strToInt(table.text("DIA")), support::strToInt(table.text("HORA"))});
  }
  std::sort(periods.begin(), periods.end());
  periods.erase(std::unique(periods.begin(), periods.end()), periods.end());
  return periods;
}

}  // namespace host_stub
