// An environment variable set for the length of a test (and for the
// programs the test starts), then put back as it was.
#pragma once

#include <optional>
#include <string>

namespace test_support {

class ScopedEnvironment {
 public:
  // value nullopt: the variable is unset.
  ScopedEnvironment(std::string name, const std::optional<std::string>& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::optional<std::string> before_;
};

}  // namespace test_support
