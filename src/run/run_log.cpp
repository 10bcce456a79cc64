#include "run/run_log.h"

#include <algorithm>
#include <utility>

#include "support/cp1252.h"
#include "support/platform.h"
#include "support/text.h"

namespace run {
namespace {

constexpr std::size_t kKeysNamed = 5;

}  // namespace

void RunLog::add(std::string_view text) {
  std::string line = support::localTimeNow().text() + " " + support::oneLine(text);
  if (echo) echo(line);
  lines_.push_back(std::move(line));
}

void RunLog::rowsWritten(std::string_view table, std::int64_t rows) {
  add(std::string(table) + ": " + std::to_string(rows) + (rows == 1 ? " fila escrita" : " filas escritas"));
}

std::vector<std::string> RunLog::takeLines() { return std::exchange(lines_, {}); }

void SkippedRecords::skip(std::string_view reason, std::string_view key) {
  auto found = std::find_if(reasons_.begin(), reasons_.end(),
                            [&](const Reason& known) { return known.text == reason; });
  if (found == reasons_.end()) found = reasons_.insert(reasons_.end(), Reason{std::string(reason), 0, {}});
  ++found->count;
  if (found->keys.size() < kKeysNamed)
    found->keys.push_back(support::cp1252ToUtf8(support::trimControls(key)));
}

void SkippedRecords::report(RunLog& log, std::string_view source) const {
  for (const Reason& reason : reasons_) {
    std::string line = std::string(source) + ": " + std::to_string(reason.count) +
                       (reason.count == 1 ? " registro omitido (" : " registros omitidos (") + reason.text +
                       "):";
    for (std::size_t i = 0; i < reason.keys.size(); ++i) line += (i == 0 ? " " : ", ") + reason.keys[i];
    if (reason.count > static_cast<std::int64_t>(reason.keys.size())) line += ", ...";
    log.add(line);
  }
}

}  // namespace run
