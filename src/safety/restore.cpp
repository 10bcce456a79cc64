#include "safety/restore.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "support/error.h"
#include "support/file_system.h"
#include "support/platform.h"

namespace safety {
namespace fs = std::filesystem;

namespace {

constexpr char kStagedSuffix[] = ".restaurando~";

fs::path target(const Manifest& manifest, const KeptFile& file) {
  return manifest.folder(file.place) / file.name;
}

fs::path kept(const StoredCopy& copy, const KeptFile& file) {
  return copy.folder / subfolderName(file.place) / file.name;
}

// The files there now under file's name, in any case.
std::vector<fs::path> present(const Manifest& manifest, const KeptFile& file) {
  const fs::path& folder = manifest.folder(file.place);
  return folder.empty() ? std::vector<fs::path>() : support::findAllNoCase(folder, file.name);
}

// Why the copy cannot be restored as it is, or "".
std::string copyProblem(const StoredCopy& copy) {
  for (const KeptFile& file : copy.manifest.files) {
    if (!file.existed) continue;
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(kept(copy, file), ec);
    if (ec || size != file.size) {
      return "La copia " + copy.name + " no está entera: falta " + std::string(subfolderName(file.place)) +
             "/" + file.name + " o no es como se guardó. No se ha restaurado nada.";
    }
    const fs::path& folder = copy.manifest.folder(file.place);
    if (!fs::is_directory(folder, ec)) {
      return "No existe la carpeta " + support::displayPath(folder) + ", donde estaba " + file.name +
             ". No se ha restaurado nada.";
    }
  }
  return {};
}

// The first file that the restore would replace or remove and that another
// program holds (or that cannot be opened at all), as a refusal; or "".
std::string fileInUse(const Manifest& manifest) {
  const auto refusal = [](const fs::path& path, const std::string& why) {
    return "El archivo " + support::displayPath(path) + " " + why +
           ". Ciérrelo (por ejemplo, en Orvalin) y vuelva a restaurar. No se ha restaurado nada.";
  };
  for (const KeptFile& file : manifest.files) {
    for (const fs::path& path : present(manifest, file)) {
      if (!support::isRegularFile(path)) continue;
      std::optional<support::LockedFile> opened;
      try {
        opened = support::LockedFile::openLocked(path, support::LockedFile::Lock::Exclusive);
      } catch (const support::Error& error) {
        return refusal(path, std::string("no se puede abrir: ") + error.what());
      }
      if (!opened) return refusal(path, "está en uso por otro programa");
    }
  }
  return {};
}

CopyRequest ownCopyRequest(const Manifest& manifest) {
  CopyRequest request{"restaurar", manifest.workFolder, manifest.daeFolder, {}, {}};
  for (const KeptFile& file : manifest.files) {
    (file.place == Place::WorkFolder ? request.workFiles : request.daeFiles).push_back(file.name);
  }
  return request;
}

// Every kept file copied beside its target under a temporary name; on a
// failure the ones made so far are removed and the error names the file.
std::vector<fs::path> stage(const StoredCopy& copy) {
  std::vector<fs::path> staged;
  for (const KeptFile& file : copy.manifest.files) {
    if (!file.existed) continue;
    fs::path temporary = target(copy.manifest, file);
    temporary += kStagedSuffix;
    std::error_code ec;
    fs::copy_file(kept(copy, file), temporary, fs::copy_options::overwrite_existing, ec);
    if (ec) {
      for (const fs::path& made : staged) fs::remove(made, ec);
      fs::remove(temporary, ec);
      throw support::Error("No se puede restaurar " + support::displayPath(target(copy.manifest, file)) +
                           ": " + ec.message() + ". No se ha cambiado nada.");
    }
    staged.push_back(std::move(temporary));
  }
  return staged;
}

// Removes the files there now under file's name, in any case, that are not
// a kept file put back (which may be the same file under another spelling).
void removeOthers(const Manifest& manifest, const KeptFile& file, std::vector<std::string>& removed) {
  for (const fs::path& path : present(manifest, file)) {
    const bool putBack =
        std::any_of(manifest.files.begin(), manifest.files.end(), [&](const KeptFile& other) {
          std::error_code ec;
          return other.existed && other.place == file.place &&
                 fs::equivalent(path, target(manifest, other), ec);
        });
    if (putBack) continue;
    std::error_code ec;
    if (!fs::remove(path, ec) && ec) throw support::Error(support::displayPath(path) + ": " + ec.message());
    removed.push_back(support::displayPath(path));
  }
}

}  // namespace

RestoreResult restoreCopy(const fs::path& copiesFolder, const StoredCopy& copy) {
  RestoreResult result;
  const Manifest& manifest = copy.manifest;
  result.refusal = copyProblem(copy);
  if (result.refusal.empty()) result.refusal = fileInUse(manifest);
  if (!result.refusal.empty()) return result;

  result.ownCopy = makeCopy(copiesFolder, ownCopyRequest(manifest));
  std::vector<fs::path> staged = stage(copy);
  try {
    std::size_t next = 0;
    for (const KeptFile& file : manifest.files) {
      if (!file.existed) continue;
      support::replaceFile(staged[next++], target(manifest, file));
      result.restored.push_back(support::displayPath(target(manifest, file)));
    }
    for (const KeptFile& file : manifest.files) removeOthers(manifest, file, result.removed);
  } catch (const support::Error& error) {
    std::error_code ec;
    for (const fs::path& left : staged) fs::remove(left, ec);
    throw support::Error("No se ha podido terminar de restaurar la copia " + copy.name + ": " + error.what() +
                         ". Lo que había antes de restaurar está en la copia " + result.ownCopy.name + ".");
  }
  pruneCopies(copiesFolder);
  return result;
}

}  // namespace safety
