#include "tools/host_stub/launch_command.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <system_error>

#include "support/file_system.h"
#include "tools/host_stub/host_window.h"

namespace host_stub {
namespace {

constexpr char kUsage[] = "usage: host-stub launch importar|exportar [CONVERTER]\n";

std::optional<std::filesystem::file_time_type> modified(const std::filesystem::path& file) {
  std::error_code ec;
  const auto time = std::filesystem::last_write_time(file, ec);
  if (ec) return std::nullopt;
  return time;
}

}  // namespace

int runLaunchCommand(const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 2 || (args[0] != "importar" && args[0] != "exportar")) {
    std::cerr << kUsage;
    return 2;
  }
  const std::filesystem::path converter =
      std::filesystem::absolute(args.size() == 2 ? support::pathFromUtf8(args[1]) : defaultConverter());
  std::error_code ec;
  if (!std::filesystem::is_regular_file(converter, ec)) {
    std::cerr << "host-stub: no converter at " << support::displayPath(converter) << '\n';
    return 1;
  }
  // The converter hands its result over in Orvalin.ini beside its executable.
  const std::filesystem::path ini = converter.parent_path() / "Orvalin.ini";
  const auto before = modified(ini);

  if (!runConverterInHostWindow(converter, args[0])) return 1;

  const auto after = modified(ini);
  if (!after || after == before) {
    std::cerr << "host-stub: the converter wrote no result into " << support::displayPath(ini) << '\n';
    return 1;
  }
  std::cout << "Transformado=" << readHandedOverResult(ini) << std::endl;
  return 0;
}

}  // namespace host_stub
