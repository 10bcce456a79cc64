#include "bench/engine_lookups.h"

#include <string>

#include "bench/measurement.h"
#include "support/dbase/table.h"
#include "support/error.h"

namespace bench {
namespace {

// Keys spread over the key space and not in append order: "P0000012345" style.
std::string keyOf(int i) {
  const int spread = static_cast<int>((static_cast<long long>(i) * 7919) % 1000003);
  std::string key = std::to_string(spread);
  return "P" + std::string(10 - key.size(), '0') + key;
}

}  // namespace

void runEngineLookups(std::ostream& out, const std::filesystem::path& folder, int rows) {
  std::filesystem::create_directories(folder);
  DirectionRun run;
  run.name = "table engine";
  const dbase::TableDef def{
      "LOOKUPS",
      {dbase::characterField("CLAVE", 13), dbase::integerField("NUMERO"), dbase::characterField("TEXTO", 20)},
      {{"CLAVE", "CLAVE"}, {"NUMERO", "NUMERO"}}};
  dbase::Table table = dbase::recreateTable(folder, def);
  const std::string count = grouped(static_cast<std::uint64_t>(rows));
  run.step(
      "append, one post each",
      [&] {
        for (int i = 0; i < rows; ++i) table.appendRecord({keyOf(i), i, std::string("texto")});
      },
      [&] { return count; });
  run.step(
      "find key on CLAVE, every key",
      [&] {
        table.selectTag("CLAVE");
        for (int i = 0; i < rows; ++i) {
          if (!table.findKey(keyOf(i))) throw support::Error("bench: key not found " + keyOf(i));
        }
      },
      [&] { return count; });
  run.step(
      "locate CLAVE;NUMERO, every row",
      [&] {
        for (int i = 0; i < rows; ++i) {
          if (!table.locate("CLAVE;NUMERO", {keyOf(i), std::to_string(i)}))
            throw support::Error("bench: row not located");
        }
      },
      [&] { return count; });
  run.step(
      "close (index written)", [&] { table.close(); }, [&] { return count; });

  out << "\n== Table engine: " << count << " rows\n";
  for (const StepTime& step : run.steps) {
    out << "  " << step.name << std::string(step.name.size() < 40 ? 40 - step.name.size() : 1, ' ')
        << std::to_string(static_cast<int>(step.seconds * 1000 + 0.5)) << " ms (cpu "
        << std::to_string(static_cast<int>(step.cpuSeconds * 1000 + 0.5)) << " ms)\n";
  }
}

}  // namespace bench
