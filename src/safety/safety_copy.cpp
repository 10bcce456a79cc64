#include "safety/safety_copy.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <set>
#include <system_error>
#include <utility>

#include "support/error.h"
#include "support/file_system.h"
#include "support/platform.h"
#include "support/text.h"

namespace safety {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kTimeNameLength = 19;  // "2025-03-01_10-22-03"

// Where a copy's name puts it among the copies: its time, then its number in
// that second (1 for the first).
struct CopyOrder {
  std::string time;
  int number = 1;

  auto operator<=>(const CopyOrder&) const = default;
};

std::optional<CopyOrder> copyOrder(const std::string& name) {
  constexpr std::string_view kPattern = "dddd-dd-dd_dd-dd-dd";
  if (name.size() < kTimeNameLength) return std::nullopt;
  for (std::size_t i = 0; i < kTimeNameLength; ++i) {
    const bool digit = name[i] >= '0' && name[i] <= '9';
    if (kPattern[i] == 'd' ? !digit : name[i] != kPattern[i]) return std::nullopt;
  }
  CopyOrder order{name.substr(0, kTimeNameLength)};
  if (name.size() == kTimeNameLength) return order;
  if (name[kTimeNameLength] != '_') return std::nullopt;
  const char* first = name.data() + kTimeNameLength + 1;
  const char* last = name.data() + name.size();
  const auto [end, error] = std::from_chars(first, last, order.number);
  if (error != std::errc() || end != last || order.number < 2) return std::nullopt;
  return order;
}

std::string timeName(const support::LocalTime& time) {
  std::string name = time.text();
  std::replace(name.begin(), name.end(), ' ', '_');
  std::replace(name.begin(), name.end(), ':', '-');
  return name;
}

// The copies folder's entries that are copies, by name, oldest first.
std::vector<std::pair<CopyOrder, fs::path>> storedCopyFolders(const fs::path& copiesFolder) {
  std::vector<std::pair<CopyOrder, fs::path>> folders;
  std::error_code ec;
  for (fs::directory_iterator it(copiesFolder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_directory(typeError)) continue;
    if (std::optional<CopyOrder> order = copyOrder(support::displayPath(it->path().filename()))) {
      folders.emplace_back(std::move(*order), it->path());
    }
  }
  std::sort(folders.begin(), folders.end());
  return folders;
}

// A new, empty folder for a copy made at time.
std::pair<std::string, fs::path> newCopyFolder(const fs::path& copiesFolder, const support::LocalTime& time) {
  const std::string base = timeName(time);
  for (int number = 1;; ++number) {
    const std::string name = number == 1 ? base : base + "_" + std::to_string(number);
    const fs::path folder = copiesFolder / name;
    std::error_code ec;
    if (fs::create_directory(folder, ec)) return {name, folder};
    if (ec || !fs::exists(folder, ec)) throw support::Error(ec ? ec.message() : "no se puede crear " + name);
  }
}

// Why file could not be copied, as error says. On Windows a file that
// another program holds for itself cannot even be read, which the system
// reports as a refused permission: such a file is said to be in use, as the
// table engine says of a table held elsewhere.
std::string copyFailure(const fs::path& file, const std::error_code& error) {
  if (error == std::errc::permission_denied) {
    try {
      if (!support::LockedFile::openLocked(file, support::LockedFile::Lock::Shared))
        return "El archivo " + support::displayPath(file) + " está en uso por otro programa";
    } catch (const support::Error&) {
      // not held, just not readable: the system's reason stands
    }
  }
  return support::displayPath(file) + ": " + error.message();
}

// Copies every case variant of names in folder into into; each one found,
// or the name alone when there is none, goes into the manifest.
void keepFiles(Place place, const fs::path& folder, const std::vector<std::string>& names,
               const fs::path& into, Manifest& manifest) {
  std::set<std::string> done;
  for (const std::string& name : names) {
    if (!done.insert(support::upperAscii(name)).second) continue;
    bool found = false;
    for (const fs::path& file : support::findAllNoCase(folder, name)) {
      if (!support::isRegularFile(file)) continue;
      std::error_code ec;
      if (!found) fs::create_directories(into, ec);
      if (!ec) fs::copy_file(file, into / file.filename(), ec);
      const std::uintmax_t size = ec ? 0 : fs::file_size(into / file.filename(), ec);
      if (ec) throw support::Error(copyFailure(file, ec));
      manifest.files.push_back({place, support::displayPath(file.filename()), true, size});
      found = true;
    }
    if (!found) manifest.files.push_back({place, name, false, 0});
  }
}

void writeManifest(const fs::path& folder, const Manifest& manifest) {
  const fs::path file = folder / kManifestName;
  std::ofstream out(file, std::ios::binary);
  out << manifestText(manifest);
  out.close();
  if (!out) throw support::Error("no se puede escribir " + support::displayPath(file));
}

}  // namespace

StoredCopy makeCopy(const fs::path& copiesFolder, const CopyRequest& request) {
  const auto failed = [&](const std::string& reason) {
    return support::Error("No se puede hacer la copia de seguridad en " + support::displayPath(copiesFolder) +
                          ": " + reason + ". No se ha cambiado nada.");
  };
  std::error_code ec;
  fs::create_directories(copiesFolder, ec);
  if (ec) throw failed(ec.message());
  const support::LocalTime now = support::localTimeNow();
  StoredCopy copy;
  try {
    std::tie(copy.name, copy.folder) = newCopyFolder(copiesFolder, now);
  } catch (const support::Error& error) {
    throw failed(error.what());
  }
  // Absolute, so that the copy is found whatever folder a later restore starts in.
  copy.manifest = {request.operation,
                   now.text(),
                   support::absolutePath(request.workFolder),
                   request.daeFolder.empty() ? fs::path() : support::absolutePath(request.daeFolder),
                   {}};
  try {
    keepFiles(Place::WorkFolder, request.workFolder, request.workFiles,
              copy.folder / subfolderName(Place::WorkFolder), copy.manifest);
    if (!request.daeFolder.empty()) {
      keepFiles(Place::DaeFolder, request.daeFolder, request.daeFiles,
                copy.folder / subfolderName(Place::DaeFolder), copy.manifest);
    }
    writeManifest(copy.folder, copy.manifest);
  } catch (const support::Error& error) {
    fs::remove_all(copy.folder, ec);
    throw failed(error.what());
  }
  return copy;
}

void pruneCopies(const fs::path& copiesFolder, std::size_t keep) {
  const auto folders = storedCopyFolders(copiesFolder);
  for (std::size_t i = 0; i + keep < folders.size(); ++i) {
    std::error_code ec;
    fs::remove_all(folders[i].second, ec);
  }
}

std::vector<StoredCopy> copiesOf(const fs::path& copiesFolder, const fs::path& workFolder) {
  std::vector<StoredCopy> copies;
  for (const auto& [order, folder] : storedCopyFolders(copiesFolder)) {
    const fs::path manifestFile = folder / kManifestName;
    std::optional<Manifest> manifest;
    try {
      if (support::isRegularFile(manifestFile)) manifest = parseManifest(support::readFile(manifestFile));
    } catch (const support::Error&) {
      continue;  // a copy that cannot be read is no copy to restore
    }
    std::error_code ec;
    if (manifest && fs::equivalent(manifest->workFolder, workFolder, ec)) {
      copies.push_back({support::displayPath(folder.filename()), folder, std::move(*manifest)});
    }
  }
  std::reverse(copies.begin(), copies.end());
  return copies;
}

}  // namespace safety
