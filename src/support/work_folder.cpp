#include "support/work_folder.h"

#include <cstdlib>
#include <string>
#include <system_error>

#include "support/error.h"
#include "support/file_system.h"

namespace support {
namespace fs = std::filesystem;

namespace {

fs::path defaultWorkFolder() {
#ifdef _WIN32
  return fs::path("C:\\KTEMP");
#else
  const char* configured = std::getenv("TRANSORVALDAE_WORK_FOLDER");
  if (configured != nullptr && *configured != '\0') return fs::path(configured);
  const char* home = std::getenv("HOME");
  return fs::path(home != nullptr ? home : "") / "KTEMP";
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
