// The in-memory order of a tag against a plain ordered set of (key, record):
// inserts that split blocks, erases that empty them, a bulk assign, and
// every bound, on keys with many duplicates.
#include "support/dbase/tag_order.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace dbase_test {
namespace {

using Model = std::set<std::pair<std::string, std::uint32_t>>;

constexpr std::size_t kWidth = 3;

std::string keyOf(std::uint32_t n) {
  // Few distinct keys, bytes above 0x7F included: they must sort unsigned.
  const auto v = static_cast<unsigned char>(n % 37 * 7);
  return std::string{'K', static_cast<char>(v), static_cast<char>(0xF0 + n % 3)};
}

std::vector<std::pair<std::string, std::uint32_t>> walked(const dbase::TagOrder& order) {
  std::vector<std::pair<std::string, std::uint32_t>> entries;
  for (auto p = order.begin(); p != order.end(); p = order.next(p)) {
    entries.emplace_back(std::string(order.key(p)), order.record(p));
  }
  return entries;
}

void expectSame(const dbase::TagOrder& order, const Model& model) {
  ASSERT_EQ(order.size(), model.size());
  ASSERT_EQ(walked(order), std::vector(model.begin(), model.end()));
  // Backwards too.
  std::vector<std::pair<std::string, std::uint32_t>> back;
  for (auto p = order.end(); p != order.begin();) {
    p = order.prior(p);
    back.emplace_back(std::string(order.key(p)), order.record(p));
  }
  EXPECT_EQ(back, std::vector(model.rbegin(), model.rend()));
}

// The record at p, or none at the end.
std::optional<std::uint32_t> recordAt(const dbase::TagOrder& order, dbase::TagOrder::Position p) {
  return p == order.end() ? std::nullopt : std::optional(order.record(p));
}

std::optional<std::uint32_t> recordAt(const Model& model, Model::const_iterator it) {
  return it == model.end() ? std::nullopt : std::optional(it->second);
}

TEST(TagOrderTest, KeepsTheOrderOfASetThroughInsertsErasesAndAssign) {
  dbase::TagOrder order(kWidth);
  Model model;
  std::uint64_t state = 12345;
  const auto random = [&state](std::uint32_t bound) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>((state >> 33) % bound);
  };
  for (int step = 0; step < 6000; ++step) {
    const std::uint32_t record = random(3000);
    if (random(3) == 0) {
      order.erase(keyOf(record), record);
      model.erase({keyOf(record), record});
    } else if (!model.count({keyOf(record), record})) {
      order.insert(keyOf(record), record);
      model.insert({keyOf(record), record});
    }
  }
  expectSame(order, model);

  for (std::uint32_t probe = 0; probe < 40; ++probe) {
    const std::string key = keyOf(probe);
    EXPECT_EQ(recordAt(order, order.lowerBound(key)), recordAt(model, model.lower_bound({key, 0})));
    EXPECT_EQ(recordAt(order, order.upperBound(key)), recordAt(model, model.upper_bound({key, UINT32_MAX})));
    EXPECT_EQ(recordAt(order, order.after(key, probe * 50)),
              recordAt(model, model.upper_bound({key, probe * 50})));
    EXPECT_EQ(recordAt(order, order.at(key, probe * 50)),
              recordAt(model, model.lower_bound({key, probe * 50})));
  }

  std::string keys;
  Model assigned;
  for (std::uint32_t i = 0; i < 1000; ++i) {
    keys += keyOf(i * 7);
    assigned.insert({keyOf(i * 7), i});
  }
  order.assign(keys);
  expectSame(order, assigned);
  for (std::uint32_t i = 0; i < 1000; i += 2) {
    order.erase(keyOf(i * 7), i);
    assigned.erase({keyOf(i * 7), i});
  }
  expectSame(order, assigned);
}

}  // namespace
}  // namespace dbase_test
