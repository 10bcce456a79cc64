// The converter's command line. Exactly two arguments mean that the host
// started it: the direction word and the handle of the host window, in
// hexadecimal digits without prefix. Any other count means standalone and
// the arguments are ignored.
#pragma once

#include <QStringList>

#include <cstdint>
#include <optional>

namespace app {

// The direction word lower-cased (ASCII letters only): "importar" shows only
// the import area, "exportar" only the export area, anything else both.
enum class Direction { Import, Export, Both };

struct HostedStart {
  Direction direction = Direction::Both;
  std::uint32_t hostWindow = 0;
};

// nullopt unless there are exactly two arguments. The handle is converted as
// "$" followed by the text, so "1A2F" and "1a2f" give 0x1A2F; a text that is
// not hexadecimal throws support::Error ("'$zz' is not a valid integer value").
std::optional<HostedStart> readCommandLine(const QStringList& arguments);

}  // namespace app
