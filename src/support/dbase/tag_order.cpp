#include "support/dbase/tag_order.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace dbase {
namespace {

// A full block is cut in two halves; inserting into a block moves at most
// this many entries.
constexpr std::size_t kBlockEntries = 64;

}  // namespace

std::string_view TagOrder::entry(std::size_t block, std::size_t offset) const {
  return std::string_view(blocks_[block]).substr(offset * entryWidth(), entryWidth());
}

std::string_view TagOrder::entryBytes(std::string_view key, std::uint32_t record) const {
  probe_.resize(key.size() + 4);
  std::memcpy(probe_.data(), key.data(), key.size());
  for (std::size_t b = 0; b < 4; ++b)
    probe_[key.size() + b] = static_cast<char>((record >> (24 - 8 * b)) & 0xFF);
  return probe_;
}

TagOrder::Position TagOrder::search(std::string_view probe, bool strict) const {
  const std::size_t width = entryWidth();
  const auto passes = [&](const char* entry) {
    const int c = std::memcmp(entry, probe.data(), probe.size());
    return strict ? c > 0 : c >= 0;
  };
  // The first block whose last entry passes holds the first entry that does.
  std::size_t low = 0;
  std::size_t high = blocks_.size();
  while (low < high) {
    const std::size_t middle = (low + high) / 2;
    const std::string& block = blocks_[middle];
    if (passes(block.data() + block.size() - width)) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  if (low == blocks_.size()) return end();
  const char* block = blocks_[low].data();
  std::size_t first = 0;
  std::size_t last = entries(low);
  while (first < last) {
    const std::size_t middle = (first + last) / 2;
    if (passes(block + middle * width)) {
      last = middle;
    } else {
      first = middle + 1;
    }
  }
  return {low, first};
}

void TagOrder::assign(std::string_view keys) {
  ++version_;
  const std::size_t count = keyWidth_ == 0 ? 0 : keys.size() / keyWidth_;
  const auto keyOf = [&](std::uint32_t record) { return keys.substr(record * keyWidth_, keyWidth_); };
  // A radix sort, from the keys' last byte to their first, each pass stable:
  // records of equal keys keep their ascending numbers. A byte that every key
  // has alike (the blanks that pad short values) takes no pass.
  std::vector<std::uint32_t> sorted(count);
  for (std::uint32_t i = 0; i < count; ++i) sorted[i] = i;
  std::vector<std::uint32_t> spare(count);
  for (std::size_t b = keyWidth_; b-- > 0;) {
    std::array<std::size_t, 256> starts{};
    for (std::uint32_t i = 0; i < count; ++i) ++starts[static_cast<unsigned char>(keys[i * keyWidth_ + b])];
    if (count == 0 || starts[static_cast<unsigned char>(keys[b])] == count) continue;
    std::size_t start = 0;
    for (std::size_t& bucket : starts) start += std::exchange(bucket, start);
    for (const std::uint32_t record : sorted) {
      spare[starts[static_cast<unsigned char>(keys[record * keyWidth_ + b])]++] = record;
    }
    sorted.swap(spare);
  }
  blocks_.clear();
  size_ = count;
  for (std::size_t i = 0; i < count; ++i) {
    // Blocks start three quarters full, leaving room for inserts.
    if (i % (kBlockEntries * 3 / 4) == 0) blocks_.emplace_back();
    blocks_.back() += entryBytes(keyOf(sorted[i]), sorted[i]);
  }
}

void TagOrder::insert(std::string_view key, std::uint32_t record) {
  ++version_;
  ++size_;
  const std::string_view bytes = entryBytes(key, record);
  if (blocks_.empty()) {
    blocks_.emplace_back(bytes);
    return;
  }
  Position at = search(bytes, false);
  if (at == end()) at = {blocks_.size() - 1, entries(blocks_.size() - 1)};
  std::string& block = blocks_[at.block];
  block.insert(at.offset * entryWidth(), bytes);
  if (entries(at.block) > kBlockEntries) {
    const std::size_t half = entries(at.block) / 2 * entryWidth();
    std::string upper = block.substr(half);
    block.resize(half);
    blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(at.block) + 1, std::move(upper));
  }
}

void TagOrder::erase(std::string_view key, std::uint32_t record) {
  const std::string_view bytes = entryBytes(key, record);
  const Position at = search(bytes, false);
  if (at == end() || entry(at.block, at.offset) != bytes) return;
  ++version_;
  --size_;
  std::string& block = blocks_[at.block];
  block.erase(at.offset * entryWidth(), entryWidth());
  if (block.empty()) blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(at.block));
}

TagOrder::Position TagOrder::begin() const { return blocks_.empty() ? end() : Position{0, 0}; }

TagOrder::Position TagOrder::normalized(Position at) const {
  if (at.block < blocks_.size() && at.offset >= entries(at.block)) return {at.block + 1, 0};
  return at;
}

TagOrder::Position TagOrder::next(Position at) const { return normalized({at.block, at.offset + 1}); }

TagOrder::Position TagOrder::prior(Position at) const {
  if (at.offset > 0) return {at.block, at.offset - 1};
  return {at.block - 1, entries(at.block - 1) - 1};
}

TagOrder::Position TagOrder::lowerBound(std::string_view key) const { return search(key, false); }
TagOrder::Position TagOrder::upperBound(std::string_view key) const { return search(key, true); }
TagOrder::Position TagOrder::after(std::string_view key, std::uint32_t record) const {
  return search(entryBytes(key, record), true);
}
TagOrder::Position TagOrder::at(std::string_view key, std::uint32_t record) const {
  return search(entryBytes(key, record), false);
}

std::uint32_t TagOrder::record(Position at) const {
  const std::string_view e = entry(at.block, at.offset);
  std::uint32_t record = 0;
  for (std::size_t i = keyWidth_; i < e.size(); ++i) record = record << 8 | static_cast<unsigned char>(e[i]);
  return record;
}

std::string_view TagOrder::key(Position at) const { return entry(at.block, at.offset).substr(0, keyWidth_); }

}  // namespace dbase
