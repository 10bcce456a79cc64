#include "support/work_folder.h"

#include <string>
#include <system_error>

#include "support/error.h"
#include "support/file_system.h"
#include "support/platform.h"

namespace support {
namespace fs = std::filesystem;

namespace {

fs::path defaultWorkFolder() {
#ifdef _WIN32
  return fs::path("C:\\KTEMP");
#else
  if (std::optional<fs::path> configured = environmentFolder("TRANSORVALDAE_WORK_FOLDER")) return *configured;
  return environmentFolder("HOME").value_or(fs::path()) / "KTEMP";
#endif
}

}  // namespace

fs::path resolveWorkFolder(const std::optional<fs::path>& override) {
  const fs::path folder = override ? *override : defaultWorkFolder();
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) throw Error("No existe la carpeta de trabajo " + displayPath(folder));
  return folder;
}

}  // namespace support
