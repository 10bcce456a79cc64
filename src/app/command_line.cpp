#include "app/command_line.h"

#include <string>

#include "support/cp1252.h"
#include "support/integer.h"

namespace app {
namespace {

Direction directionOf(const QString& word) {
  std::string lowered = support::utf8ToCp1252(word.toStdString());
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (lowered == "importar") return Direction::Import;
  if (lowered == "exportar") return Direction::Export;
  return Direction::Both;
}

}  // namespace

std::optional<HostedStart> readCommandLine(const QStringList& arguments) {
  if (arguments.size() != 2) return std::nullopt;
  const std::int32_t handle = support::hexStrToInt(support::utf8ToCp1252(arguments[1].toStdString()));
  return HostedStart{directionOf(arguments[0]), static_cast<std::uint32_t>(handle)};
}

}  // namespace app
