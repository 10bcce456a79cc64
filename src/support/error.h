// The one error type of the program. It carries the exact text the user sees
// (UTF-8), for example the engine's message naming a table file, or the
// conversion error "'12x' is not a valid integer value". Nothing in the core
// catches it: it ends the running step and reaches the front end's handler.
#pragma once

#include <stdexcept>
#include <string>

namespace support {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& text);
};

}  // namespace support
