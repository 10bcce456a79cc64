#include "support/file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include "support/error.h"
#include "support/platform.h"
#include "support/text.h"

namespace support {
namespace fs = std::filesystem;

std::vector<fs::path> findAllNoCase(const fs::path& folder, std::string_view name) {
  std::vector<fs::path> found;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return found;
  // Names compared as UTF-8, like every text of the program: the native
  // narrow form throws on Windows for a name outside the code page.
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (equalsIgnoringCase(displayPath(it->path().filename()), name)) found.push_back(it->path());
  }
  if (ec) throw Error("No se puede leer la carpeta " + displayPath(folder) + ": " + ec.message());
  return found;
}

std::optional<fs::path> findNoCase(const fs::path& folder, std::string_view name) {
  // Always the entry's own spelling, also where the file system ignores case
  // (Windows): one file then has one path, whatever case the caller used.
  std::vector<fs::path> found = findAllNoCase(folder, name);
  if (found.empty()) return std::nullopt;
  const auto exact = std::find_if(found.begin(), found.end(),
                                  [&](const fs::path& p) { return displayPath(p.filename()) == name; });
  return exact != found.end() ? *exact : *std::min_element(found.begin(), found.end());
}

bool isRegularFile(const fs::path& file) {
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (ec && status.type() != fs::file_type::not_found)
    throw Error("No se puede leer el archivo " + displayPath(file) + ": " + ec.message());
  return fs::is_regular_file(status);
}

std::string displayPath(const fs::path& file) {
  const auto text = file.u8string();
  return std::string(text.begin(), text.end());
}

fs::path absolutePath(const fs::path& file) {
  std::error_code ec;
  fs::path absolute = fs::absolute(file, ec);
  return ec ? file : absolute;
}

fs::path pathFromUtf8(std::string_view text) {
  // A separator repeated inside a path stands for one, as the system reads
  // it; but the C runtime's stat under std::filesystem on Windows refuses a
  // drive root written with two backslashes, which is what CarpetaDAE holds
  // there. A leading pair stays: it starts a network name.
  const auto separator = [](char c) {
    return c == '/' || c == static_cast<char>(fs::path::preferred_separator);
  };
  std::u8string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i >= 2 && separator(text[i]) && separator(text[i - 1])) continue;
    bytes.push_back(static_cast<char8_t>(text[i]));
  }
  return fs::path(bytes);
}

std::string readFile(const fs::path& file) {
  std::error_code ec;
  if (fs::is_directory(file, ec))
    throw Error("No se puede leer el archivo " + displayPath(file) + ": es una carpeta");
  std::ifstream in(file, std::ios::binary);
  if (!in) throw Error("No se puede abrir el archivo " + displayPath(file) + ": " + std::strerror(errno));
  try {
    // In blocks: a character at a time costs more than the reading itself.
    std::string bytes;
    char block[1 << 16];
    while (in.read(block, sizeof block) || in.gcount() > 0)
      bytes.append(block, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) throw Error("Error al leer el archivo " + displayPath(file));
    return bytes;
  } catch (const std::ios_base::failure& e) {
    throw Error("Error al leer el archivo " + displayPath(file) + ": " + e.what());
  }
}

void writeFileAtomically(const fs::path& target, std::string_view bytes) {
  fs::path temp = target;
  temp += ".tmp~";
  try {
    writeWholeFileSynced(temp, bytes);
    replaceFile(temp, target);
  } catch (const Error& e) {
    std::error_code ec;
    fs::remove(temp, ec);
    throw Error("No se puede escribir el archivo " + displayPath(target) + ": " + e.what());
  }
}

}  // namespace support
