#include "safety/run_log_file.h"

#include <fstream>
#include <string_view>
#include <system_error>

#include "support/file_system.h"

namespace safety {
namespace fs = std::filesystem;

namespace {

// The end of text, at most size bytes of it, starting at a line's start
// (unless one line alone is longer).
std::string_view lastLines(std::string_view text, std::uintmax_t size) {
  if (text.size() <= size) return text;
  const std::size_t cut = text.size() - static_cast<std::size_t>(size);
  const std::size_t lineStart = text.find('\n', cut - 1);
  return text.substr(lineStart == std::string_view::npos || lineStart + 1 == text.size() ? cut
                                                                                         : lineStart + 1);
}

}  // namespace

bool appendToRunLog(const fs::path& file, const std::vector<std::string>& lines,
                    std::uintmax_t limit) noexcept {
  if (lines.empty()) return true;
  try {
    std::string block;
    for (const std::string& line : lines) block += line + '\n';
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    std::uintmax_t size = fs::file_size(file, ec);
    if (ec) size = 0;  // none yet
    if (size + block.size() <= limit) {
      std::ofstream out(file, std::ios::binary | std::ios::app);
      out << block;
      out.close();
      return static_cast<bool>(out);
    }
    const std::string text = (size > 0 ? support::readFile(file) : std::string()) + block;
    support::writeFileAtomically(file, lastLines(text, limit / 4 * 3));
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace safety
