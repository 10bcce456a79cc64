#include "cli/typed_lines.h"

#include "support/cp1252.h"
#include "support/error.h"
#include "support/file_system.h"

namespace cli {

std::vector<std::string> splitSemicolons(const std::string& text) {
  std::vector<std::string> values;
  std::size_t begin = 0;
  for (std::size_t end = text.find(';'); end != std::string::npos; end = text.find(';', begin)) {
    values.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  values.push_back(text.substr(begin));
  return values;
}

std::vector<std::vector<std::string>> readTypedLines(const std::filesystem::path& file,
                                                     const std::string& layout) {
  const std::size_t width = splitSemicolons(layout).size();
  const std::string text = support::readFile(file);
  std::vector<std::vector<std::string>> rows;
  std::size_t lineNumber = 0;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(begin, end - begin);
    begin = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::vector<std::string> values = splitSemicolons(line);
    if (values.size() != width) {
      throw support::Error(support::displayPath(file) + ", línea " + std::to_string(lineNumber) +
                           ": se esperaba " + layout);
    }
    for (std::string& value : values) value = support::utf8ToCp1252(value);
    rows.push_back(std::move(values));
  }
  return rows;
}

}  // namespace cli
