#include "support/name_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace support {
namespace {

struct NameSetCase {
  const char* name;
  NameComparison comparison;
  std::vector<std::string> names;
  std::vector<bool> added;
};

const NameSetCase kNameSetCases[] = {
    {"ExactKeepsOtherCase", NameComparison::Exact, {"MAT", "mat", "MAT"}, {true, true, false}},
    {"IgnoreCaseFoldsAsciiLetters", NameComparison::IgnoreCase, {"MAT", "mat", "Mat"}, {true, false, false}},
    {"IgnoreCaseFoldsAccentedLetters", NameComparison::IgnoreCase, {"\xC1RB", "\xE1rb"}, {true, false}},
    {"BlanksCount", NameComparison::IgnoreCase, {"A B", "AB", "A B "}, {true, true, true}},
};

TEST(NameSet, RepeatsAreRefusedAsTheComparisonSays) {
  for (const NameSetCase& c : kNameSetCases) {
    SCOPED_TRACE(c.name);
    NameSet set(c.comparison);
    std::vector<bool> added;
    for (const std::string& name : c.names) added.push_back(set.insert(name));
    EXPECT_EQ(added, c.added);
    for (const std::string& name : c.names) EXPECT_TRUE(set.contains(name)) << name;
  }
}

}  // namespace
}  // namespace support
