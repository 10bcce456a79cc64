#include "toolkit/fixed_record.h"

namespace test_support {

std::string fixedRecord(std::size_t length, const std::vector<std::pair<int, std::string>>& fields) {
  std::string record(length, ' ');
  for (const auto& [start, text] : fields)
    record.replace(static_cast<std::size_t>(start) - 1, text.size(), text);
  record.resize(length);
  return record;
}

}  // namespace test_support
