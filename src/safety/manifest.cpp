#include "safety/manifest.h"

#include <charconv>

#include "support/file_system.h"

namespace safety {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFirstLine = "TransOrvalDAE: copia de seguridad";
constexpr std::string_view kLastLine = "fin";

// A value on one line: '%', CR and LF as %25, %0D and %0A.
std::string escaped(std::string_view text) {
  std::string result;
  for (const char c : text) {
    if (c == '%') {
      result += "%25";
    } else if (c == '\r') {
      result += "%0D";
    } else if (c == '\n') {
      result += "%0A";
    } else {
      result += c;
    }
  }
  return result;
}

std::optional<std::string> unescaped(std::string_view text) {
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      result += text[i];
      continue;
    }
    const std::string_view code = text.substr(i + 1, 2);
    if (code == "25") {
      result += '%';
    } else if (code == "0D") {
      result += '\r';
    } else if (code == "0A") {
      result += '\n';
    } else {
      return std::nullopt;
    }
    i += 2;
  }
  return result;
}

std::optional<Place> placeNamed(std::string_view name) {
  for (const Place place : {Place::WorkFolder, Place::DaeFolder}) {
    if (subfolderName(place) == name) return place;
  }
  return std::nullopt;
}

// "trabajo 7368 NAME" (existed) or "trabajo NAME" (not there before).
std::optional<KeptFile> parseFile(std::string_view value, bool existed) {
  KeptFile file;
  file.existed = existed;
  const std::size_t blank = value.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  const std::optional<Place> place = placeNamed(value.substr(0, blank));
  if (!place) return std::nullopt;
  file.place = *place;
  value.remove_prefix(blank + 1);
  if (existed) {
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), file.size);
    if (error != std::errc() || end == value.data() + value.size() || *end != ' ') return std::nullopt;
    value.remove_prefix(static_cast<std::size_t>(end - value.data()) + 1);
  }
  std::optional<std::string> name = unescaped(value);
  if (!name || name->empty()) return std::nullopt;
  file.name = std::move(*name);
  return file;
}

}  // namespace

std::string_view subfolderName(Place place) { return place == Place::WorkFolder ? "trabajo" : "dae"; }

const fs::path& Manifest::folder(Place place) const {
  return place == Place::WorkFolder ? workFolder : daeFolder;
}

std::string manifestText(const Manifest& manifest) {
  std::string text = std::string(kFirstLine) + "\n";
  text += "operacion=" + escaped(manifest.operation) + "\n";
  text += "fecha=" + escaped(manifest.time) + "\n";
  text += "carpeta_trabajo=" + escaped(support::displayPath(manifest.workFolder)) + "\n";
  text += "carpeta_dae=" + escaped(support::displayPath(manifest.daeFolder)) + "\n";
  for (const KeptFile& file : manifest.files) {
    text += file.existed ? "guardado=" : "ausente=";
    text += std::string(subfolderName(file.place)) + " ";
    if (file.existed) text += std::to_string(file.size) + " ";
    text += escaped(file.name) + "\n";
  }
  return text + std::string(kLastLine) + "\n";
}

std::optional<Manifest> parseManifest(std::string_view text) {
  Manifest manifest;
  bool first = true;
  bool ended = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return std::nullopt;  // the last line was cut
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (ended) return std::nullopt;
    if (first) {
      if (line != kFirstLine) return std::nullopt;
      first = false;
      continue;
    }
    if (line == kLastLine) {
      ended = true;
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    if (key == "guardado" || key == "ausente") {
      std::optional<KeptFile> file = parseFile(value, key == "guardado");
      if (!file) return std::nullopt;
      manifest.files.push_back(std::move(*file));
      continue;
    }
    std::optional<std::string> plain = unescaped(value);
    if (!plain) return std::nullopt;
    if (key == "operacion") {
      manifest.operation = std::move(*plain);
    } else if (key == "fecha") {
      manifest.time = std::move(*plain);
    } else if (key == "carpeta_trabajo") {
      manifest.workFolder = support::pathFromUtf8(*plain);
    } else if (key == "carpeta_dae") {
      manifest.daeFolder = support::pathFromUtf8(*plain);
    } else {
      return std::nullopt;
    }
  }
  if (!ended || manifest.workFolder.empty()) return std::nullopt;
  return manifest;
}

}  // namespace safety
