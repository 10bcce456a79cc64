#include "support/dbase/tag_order.h"

#include <algorithm>

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
  probe_.assign(key);
  for (int shift = 24; shift >= 0; shift -= 8) probe_ += static_cast<char>((record >> shift) & 0xFF);
  return probe_;
}

TagOrder::Position TagOrder::search(std::string_view probe, bool strict) const {
  const auto passes = [&](std::string_view e) {
    const int c = e.substr(0, probe.size()).compare(probe);
    return strict ? c > 0 : c >= 0;
  };
  // The first block whose last entry passes holds the first entry that does.
  std::size_t low = 0;
  std::size_t high = blocks_.size();
  while (low < high) {
    const std::size_t middle = (low + high) / 2;
    if (passes(entry(middle, entries(middle) - 1))) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  if (low == blocks_.size()) return end();
  std::size_t first = 0;
  std::size_t last = entries(low);
  while (first < last) {
    const std::size_t middle = (first + last) / 2;
    if (passes(entry(low, middle))) {
      last = middle;
    } else {
      first = middle + 1;
    }
  }
  return {low, first};
}

void TagOrder::assign(const std::vector<std::string>& keys) {
  ++version_;
  const std::size_t width = entryWidth();
  std::string all;
  all.reserve(keys.size() * width);
  for (std::uint32_t i = 0; i < keys.size(); ++i) all += entryBytes(keys[i], i);
  // Sorted by their first 8 bytes as a number, then by the rest: most
  // comparisons end at the number. Entries differ in their record numbers,
  // so the order is total.
  struct Item {
    std::uint64_t head = 0;
    std::uint32_t entry = 0;
  };
  const std::size_t headBytes = std::min<std::size_t>(8, width);
  std::vector<Item> items(keys.size());
  for (std::uint32_t i = 0; i < items.size(); ++i) {
    items[i].entry = i;
    for (std::size_t b = 0; b < 8; ++b) {
      const auto byte = b < headBytes ? static_cast<unsigned char>(all[i * width + b]) : 0U;
      items[i].head = items[i].head << 8 | byte;
    }
  }
  const std::string_view bytes(all);
  std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
    if (a.head != b.head) return a.head < b.head;
    return bytes.substr(a.entry * width + headBytes, width - headBytes) <
           bytes.substr(b.entry * width + headBytes, width - headBytes);
  });
  blocks_.clear();
  size_ = keys.size();
  for (std::size_t i = 0; i < items.size(); ++i) {
    // Blocks start three quarters full, leaving room for inserts.
    if (i % (kBlockEntries * 3 / 4) == 0) blocks_.emplace_back();
    blocks_.back().append(all, items[i].entry * width, width);
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
