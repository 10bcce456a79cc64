// Splitting a program's printed output into its lines in tests.
#pragma once

#include <string>
#include <vector>

namespace test_support {

// The lines of text without their line feeds; a last line without one counts.
inline std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::size_t begin = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', begin)) {
    result.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  if (begin < text.size()) result.push_back(text.substr(begin));
  return result;
}

}  // namespace test_support
