// Bytes written in tests as hexadecimal pairs separated by blanks: "80 00 00 05".
#pragma once

#include <string>

namespace test_support {

inline std::string hexBytes(const std::string& pairs) {
  std::string out;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    if (pairs[i] == ' ') continue;
    out.push_back(static_cast<char>(std::stoi(pairs.substr(i, 2), nullptr, 16)));
    ++i;
  }
  return out;
}

}  // namespace test_support
