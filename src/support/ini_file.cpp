#include "support/ini_file.h"

#include <algorithm>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "support/error.h"
#include "support/file_system.h"
#include "support/text.h"

namespace support {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct Line {
  std::string content;  // without the line ending
  std::string ending;   // "\r\n", "\n", or "" for a last line without one
};

std::vector<Line> splitLines(std::string_view bytes) {
  std::vector<Line> lines;
  while (!bytes.empty()) {
    const std::size_t newline = bytes.find('\n');
    if (newline == std::string_view::npos) {
      lines.push_back({std::string(bytes), ""});
      break;
    }
    const bool crlf = newline > 0 && bytes[newline - 1] == '\r';
    const std::size_t contentLength = crlf ? newline - 1 : newline;
    lines.push_back({std::string(bytes.substr(0, contentLength)), crlf ? "\r\n" : "\n"});
    bytes.remove_prefix(newline + 1);
  }
  return lines;
}

// The ending of the file's first line, CR LF when no line has one.
std::string lineEndingOf(const std::vector<Line>& lines) {
  for (const Line& line : lines) {
    if (!line.ending.empty()) return line.ending;
  }
  return "\r\n";
}

std::string_view trimBlanks(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The name of a "[name]" line, nullopt for any other line.
std::optional<std::string_view> sectionNameOf(const Line& line) {
  const std::string_view text = trimBlanks(line.content);
  if (text.empty() || text.front() != '[') return std::nullopt;
  const std::size_t close = text.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trimBlanks(text.substr(1, close - 1));
}

// Where the value of a "key=value" line starts (after '=' and the blanks that
// follow it), nullopt when the line is not that key.
std::optional<std::size_t> valueStartIfKey(const Line& line, std::string_view key) {
  const std::string_view text = line.content;
  if (trimBlanks(text).starts_with(';')) return std::nullopt;
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos || !equalsIgnoringCase(trimBlanks(text.substr(0, equals)), key)) {
    return std::nullopt;
  }
  std::size_t start = equals + 1;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  return start;
}

bool breaksLines(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

void checkWritable(const fs::path& file, std::string_view section, std::string_view key,
                   std::string_view value) {
  const bool bad = breaksLines(section) || breaksLines(key) || breaksLines(value) ||
                   section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
                   trimBlanks(section).empty() || trimBlanks(key).empty();
  if (bad) throw Error("Nombre o valor no válido para el archivo de configuración " + displayPath(file));
}

// Sets the key in lines, adding the section or the key when absent.
void setValue(std::vector<Line>& lines, std::string_view section, std::string_view key,
              std::string_view value) {
  const std::string eol = lineEndingOf(lines);
  const auto isSection = [](const Line& line) { return sectionNameOf(line).has_value(); };
  const auto header = std::find_if(lines.begin(), lines.end(), [&](const Line& line) {
    const std::optional<std::string_view> name = sectionNameOf(line);
    return name && equalsIgnoringCase(*name, trimBlanks(section));
  });
  if (header == lines.end()) {
    if (!lines.empty() && lines.back().ending.empty()) lines.back().ending = eol;
    lines.push_back({"[" + std::string(section) + "]", eol});
    lines.push_back({std::string(key) + "=" + std::string(value), eol});
    return;
  }
  const auto sectionEnd = std::find_if(header + 1, lines.end(), isSection);
  for (auto line = header + 1; line != sectionEnd; ++line) {
    if (const std::optional<std::size_t> start = valueStartIfKey(*line, trimBlanks(key))) {
      line->content = line->content.substr(0, *start) + std::string(value);
      return;
    }
  }
  auto last = sectionEnd - 1;
  while (last != header && trimBlanks(last->content).empty()) --last;
  if (last->ending.empty()) last->ending = eol;
  lines.insert(last + 1, {std::string(key) + "=" + std::string(value), eol});
}

}  // namespace

void writeProfileString(const fs::path& file, std::string_view section, std::string_view key,
                        std::string_view value) {
  checkWritable(file, section, key, value);
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (fs::is_directory(status))
    throw Error("No se puede escribir el archivo " + displayPath(file) + ": es una carpeta");
  std::string bytes;
  // A file whose status cannot be read (type none) is read anyway, so that the failure names it.
  if (fs::exists(status) || status.type() == fs::file_type::none) bytes = readFile(file);
  std::string_view body = bytes;
  const bool hasBom = body.starts_with(kUtf8Bom);
  if (hasBom) body.remove_prefix(kUtf8Bom.size());
  std::vector<Line> lines = splitLines(body);
  setValue(lines, section, key, value);
  std::string out(hasBom ? kUtf8Bom : "");
  for (const Line& line : lines) out += line.content + line.ending;
  writeFileAtomically(file, out);
}

}  // namespace support
