// Fixed-width records of DAE files written in tests from a few fields.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace test_support {

// A record of length blanks with each text written from its 1-based start
// (cut at the record's end). Texts are Windows-1252 bytes.
std::string fixedRecord(std::size_t length, const std::vector<std::pair<int, std::string>>& fields);

}  // namespace test_support
