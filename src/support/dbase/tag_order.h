// The records of a table in the order of one index tag, kept in memory.
//
// Every key of a tag has the same width (the width of its sort key), so an
// entry is the key followed by the record number in 4 big-endian bytes, and
// entries compare as plain bytes: by key, then by record. Entries live in
// blocks of a few hundred, each block a sorted run of bytes, so that a large
// table costs a few bytes per record instead of a tree node and a string
// each, and an insert moves at most one block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dbase {

class TagOrder {
 public:
  // Where an entry stands; end() stands past the last. A position holds only
  // until the order changes (see version()).
  struct Position {
    std::size_t block = 0;
    std::size_t offset = 0;  // entry within the block

    bool operator==(const Position&) const = default;
  };

  explicit TagOrder(std::size_t keyWidth = 0) : keyWidth_(keyWidth) {}

  std::size_t keyWidth() const { return keyWidth_; }
  std::size_t size() const { return size_; }
  // Changes with every insert and erase.
  std::uint64_t version() const { return version_; }

  // Replaces every entry: keys holds the key of every record, record 0
  // first, each exactly keyWidth() bytes.
  void assign(std::string_view keys);
  // key: exactly keyWidth() bytes.
  void insert(std::string_view key, std::uint32_t record);
  // Does nothing when the entry is absent.
  void erase(std::string_view key, std::uint32_t record);

  Position begin() const;
  Position end() const { return {blocks_.size(), 0}; }
  Position next(Position at) const;
  Position prior(Position at) const;  // Requires: at != begin()

  // The first entry whose key is not less than key / greater than key.
  Position lowerBound(std::string_view key) const;
  Position upperBound(std::string_view key) const;
  // The first entry after (key, record) in the order, whether or not that
  // entry is present.
  Position after(std::string_view key, std::uint32_t record) const;
  // The first entry not before (key, record).
  Position at(std::string_view key, std::uint32_t record) const;

  std::uint32_t record(Position at) const;
  std::string_view key(Position at) const;

 private:
  std::size_t entryWidth() const { return keyWidth_ + 4; }
  std::size_t entries(std::size_t block) const { return blocks_[block].size() / entryWidth(); }
  std::string_view entry(std::size_t block, std::size_t offset) const;
  // The entry's bytes, in a buffer of this order's that the next call reuses.
  std::string_view entryBytes(std::string_view key, std::uint32_t record) const;
  // The first entry whose bytes are not less than (strict: greater than) probe.
  Position search(std::string_view probe, bool strict) const;
  Position normalized(Position at) const;

  std::size_t keyWidth_;
  std::vector<std::string> blocks_;  // none empty
  std::size_t size_ = 0;
  std::uint64_t version_ = 0;
  mutable std::string probe_;
};

}  // namespace dbase
