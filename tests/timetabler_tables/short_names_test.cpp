#include "timetabler_tables/short_names.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace timetabler_tables {
namespace {

struct Request {
  std::string first;
  std::string stem;
};

struct NamingCase {
  const char* name;
  NameComparison comparison;
  std::vector<Request> requests;
  std::vector<std::string> given;
};

const NamingCase kNamingCases[] = {
    {"RepeatGetsNextNumber",
     NameComparison::Exact,
     {{"GLA", "GLA"}, {"GLA", "GLA"}, {"GLA", "GLA"}},
     {"GLA", "GLA1", "GLA2"}},
    {"IgnoreCaseTakesOtherCaseAsRepeat",
     NameComparison::IgnoreCase,
     {{"MAT", "MAT"}, {"mat", "mat"}},
     {"MAT", "mat1"}},
    {"IgnoreCaseFoldsAccentedLetters",
     NameComparison::IgnoreCase,
     {{"\xC1NG", "\xC1NG"}, {"\xE1ng", "\xE1ng"}},
     {"\xC1NG",
      "\xE1ng"
      "1"}},
    {"ExactKeepsOtherCase", NameComparison::Exact, {{"A01", "A01"}, {"a01", "a01"}}, {"A01", "a01"}},
    {"ExactCountsBlanks",
     NameComparison::Exact,
     {{"A01     ", "A01     "}, {"A01", "A01"}, {"A01     ", "A01     "}},
     {"A01     ", "A01", "A01     1"}},
    {"NumberAlreadyGivenIsSkipped",
     NameComparison::IgnoreCase,
     {{"M", "M"}, {"M1", "M1"}, {"M", "M"}},
     {"M", "M1", "M2"}},
    {"EmptyNameRepeatedBecomesNumber", NameComparison::IgnoreCase, {{"", ""}, {"", ""}}, {"", "1"}},
    {"StemNumbersAGroupKey",
     NameComparison::Exact,
     {{"ESO011", "ESO01"}, {"ESO011", "ESO01"}, {"ESO011", "ESO01"}, {"eso011", "eso01"}},
     {"ESO011", "ESO012", "ESO013", "eso011"}},
};

TEST(ShortNameList, NumbersRepeatsByItsComparison) {
  for (const NamingCase& c : kNamingCases) {
    SCOPED_TRACE(c.name);
    ShortNameList list(c.comparison);
    std::vector<std::string> given;
    for (const Request& r : c.requests) given.push_back(list.give(r.first, r.stem));
    EXPECT_EQ(given, c.given);
  }
}

TEST(ShortNameList, EveryNameGivenIsEntered) {
  ShortNameList list(NameComparison::IgnoreCase);
  list.give("GLA", "GLA");
  list.give("GLA", "GLA");
  EXPECT_TRUE(list.contains("gla"));
  EXPECT_TRUE(list.contains("Gla1"));
  EXPECT_FALSE(list.contains("GLA2"));
}

TEST(ShortNameList, FormsAreTriedInOrderForEachNumber) {
  // The first form gives one name for every number; once it is taken the
  // second form is used, and the numbering goes on from where it stopped.
  const NumberedForm same = [](std::string_view stem, std::int64_t) { return std::string(stem) + "X"; };
  const NumberedForm plain = [](std::string_view stem, std::int64_t n) {
    return std::string(stem) + std::to_string(n);
  };
  ShortNameList list(NameComparison::Exact);
  std::vector<std::string> given;
  for (int i = 0; i < 4; ++i) given.push_back(list.give("R", "R", {same, plain}));
  EXPECT_EQ(given, (std::vector<std::string>{"R", "RX", "R1", "R2"}));
}

TEST(ShortNameList, LongRunOfOneNameStaysUniqueAndFast) {
  // A run of 100000 equal names must not walk the numbers from 1 each time.
  ShortNameList list(NameComparison::IgnoreCase);
  std::set<std::string> given;
  std::string last;
  for (int i = 0; i < 100000; ++i) {
    last = list.give("X", "X");
    given.insert(last);
  }
  EXPECT_EQ(given.size(), 100000u);
  EXPECT_EQ(last, "X99999");
}

}  // namespace
}  // namespace timetabler_tables
