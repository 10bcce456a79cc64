#include "toolkit/environment.h"

#include <cstdlib>
#include <utility>

namespace test_support {
namespace {

void setVariable(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
  ::_putenv_s(name.c_str(), value ? value->c_str() : "");  // "" removes it
#else
  if (value) {
    ::setenv(name.c_str(), value->c_str(), 1);
  } else {
    ::unsetenv(name.c_str());
  }
#endif
}

}  // namespace

ScopedEnvironment::ScopedEnvironment(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)) {
  if (const char* before = std::getenv(name_.c_str())) before_ = before;
  setVariable(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() { setVariable(name_, before_); }

}  // namespace test_support
