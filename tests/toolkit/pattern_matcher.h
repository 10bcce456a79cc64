// A GoogleTest matcher of a whole string by a regular expression that has the
// same syntax on every system (std::regex, ECMAScript): GoogleTest's own
// MatchesRegex takes POSIX expressions on Linux but only a few escapes on
// Windows, with no brackets and no braces.
#pragma once

#include <gmock/gmock.h>

#include <regex>
#include <string>

namespace test_support {

MATCHER_P(MatchesPattern, pattern,
          std::string(negation ? "doesn't match" : "matches") + " the pattern \"" + std::string(pattern) +
              "\"") {
  return std::regex_match(std::string(arg), std::regex(pattern));
}

}  // namespace test_support
