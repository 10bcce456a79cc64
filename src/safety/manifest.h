// The manifest of a safety copy ("manifiesto.txt" in the copy's folder): what
// the run was, the folders it worked on, and every file it could replace or
// delete, either kept in the copy with its size, or noted as not there before
// the run (a file the run may create, which undoing the run removes). It is
// UTF-8 text, one "key=value" per line, written last and ended by "fin", so
// that a copy cut short has none that reads.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace safety {

inline constexpr char kManifestName[] = "manifiesto.txt";

// The folder a file belongs to; in the copy, each has a subfolder of that name.
enum class Place { WorkFolder, DaeFolder };
std::string_view subfolderName(Place place);  // "trabajo", "dae"

struct KeptFile {
  Place place = Place::WorkFolder;
  std::string name;      // as on disk
  bool existed = false;  // there before the run, and kept in the copy
  std::uintmax_t size = 0;

  bool operator==(const KeptFile&) const = default;
};

struct Manifest {
  std::string operation;  // "exportar", "importar" or "restaurar"
  std::string time;       // local, "2025-03-01 10:22:03"
  std::filesystem::path workFolder;
  std::filesystem::path daeFolder;  // empty when the run has none
  std::vector<KeptFile> files;

  // The folder of place.
  const std::filesystem::path& folder(Place place) const;
  bool operator==(const Manifest&) const = default;
};

std::string manifestText(const Manifest& manifest);
// nullopt when text is not a whole manifest.
std::optional<Manifest> parseManifest(std::string_view text);

}  // namespace safety
