#include "support/error.h"

namespace support {

Error::Error(const std::string& text) : std::runtime_error(text) {}

}  // namespace support
