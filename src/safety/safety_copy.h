// The safety copies: before a run replaces or deletes files of the work
// folder (or "fCUADROS.txt" in the DAE folder), the files as they are go into
// a new folder of the copies folder, with a manifest; the newest copies are
// kept, the older ones removed.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "safety/manifest.h"

namespace safety {

inline constexpr std::size_t kCopiesKept = 10;

// What a run is about to change: its folders, and the names of the files it
// may replace or delete in each (matched without regard to case).
struct CopyRequest {
  std::string operation;  // "exportar", "importar", "restaurar"
  std::filesystem::path workFolder;
  std::filesystem::path daeFolder;  // empty when the run has none
  std::vector<std::string> workFiles;
  std::vector<std::string> daeFiles;
};

// A copy in the copies folder.
struct StoredCopy {
  // Its folder's name: the local date and time it was made,
  // "2025-03-01_10-22-03", with "_2", "_3" and so on for later copies of the
  // same second.
  std::string name;
  std::filesystem::path folder;
  Manifest manifest;
};

// Copies every file the request names, in every case variant found, into a
// new folder of copiesFolder (created when missing), and writes the manifest
// last. On failure nothing of the copy is left and support::Error says "No
// se puede hacer la copia de seguridad en COPIES_FOLDER: REASON. No se ha
// cambiado nada."
StoredCopy makeCopy(const std::filesystem::path& copiesFolder, const CopyRequest& request);

// Removes every copy but the newest keep ones. Folders of other names are
// left alone, and so is a copy that cannot be removed (another program may
// hold one of its files).
void pruneCopies(const std::filesystem::path& copiesFolder, std::size_t keep = kCopiesKept);

// The whole copies made for workFolder, the newest first.
std::vector<StoredCopy> copiesOf(const std::filesystem::path& copiesFolder,
                                 const std::filesystem::path& workFolder);

}  // namespace safety
