#include "safety/copies_folder.h"

#include <optional>

#include "support/error.h"
#include "support/platform.h"

namespace safety {
namespace fs = std::filesystem;

namespace {

std::optional<fs::path> systemCopiesFolder() {
#ifdef _WIN32
  if (std::optional<fs::path> local = support::environmentFolder("LOCALAPPDATA"))
    return *local / "TransOrvalDAE" / "copias";
#else
  // A relative XDG_DATA_HOME is invalid and is to be ignored.
  const std::optional<fs::path> data = support::environmentFolder("XDG_DATA_HOME");
  if (data && data->is_absolute()) return *data / "transorvaldae" / "copias";
  if (std::optional<fs::path> home = support::environmentFolder("HOME"))
    return *home / ".local" / "share" / "transorvaldae" / "copias";
#endif
  return std::nullopt;
}

}  // namespace

fs::path copiesFolder() {
  if (std::optional<fs::path> chosen = support::environmentFolder("TRANSORVALDAE_BACKUP_FOLDER"))
    return *chosen;
  if (std::optional<fs::path> system = systemCopiesFolder()) return *system;
  throw support::Error(
      "No se sabe dónde guardar las copias de seguridad: indique una carpeta en la variable "
      "TRANSORVALDAE_BACKUP_FOLDER");
}

fs::path runLogFile(const fs::path& copiesFolder) {
  // "copias/" names the same folder as "copias".
  const fs::path folder = copiesFolder.has_filename() ? copiesFolder : copiesFolder.parent_path();
  return folder.parent_path() / "TransOrvalDAE.log";
}

}  // namespace safety
