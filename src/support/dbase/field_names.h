// The fields of a table found by their exact names, as every field access by
// name does. A name is held as its length and two words, its first and last
// eight bytes (fewer bytes for a shorter name), which together are the whole
// name up to 16 characters: a search hashes and compares those, without a
// call, and compares bytes only for a longer name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "support/dbase/field.h"

namespace dbase {

class FieldNames {
 public:
  FieldNames() = default;
  // fields must outlive this object.
  explicit FieldNames(const std::vector<FieldDef>& fields);

  // The index of the field named exactly name; -1 when there is none.
  int find(std::string_view name) const {
    const Words words = wordsOf(name);
    for (std::size_t slot = slotOf(words, name.size());; slot = (slot + 1) & mask_) {
      const Slot& s = slots_[slot];
      if (s.field < 0) return -1;
      if (s.first == words.first && s.last == words.last && s.size == name.size() &&
          (name.size() <= 16 || sameBytes(s.field, name))) {
        return s.field;
      }
    }
  }

 private:
  struct Words {
    std::uint64_t first = 0;
    std::uint64_t last = 0;
  };
  struct Slot {
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    std::size_t size = 0;
    int field = -1;  // -1: free
  };

  static Words wordsOf(std::string_view name) {
    const char* p = name.data();
    const std::size_t n = name.size();
    Words words;
    if (n >= 8) {
      std::memcpy(&words.first, p, 8);
      std::memcpy(&words.last, p + n - 8, 8);
    } else if (n >= 4) {
      std::uint32_t first = 0;
      std::uint32_t last = 0;
      std::memcpy(&first, p, 4);
      std::memcpy(&last, p + n - 4, 4);
      words = {first, last};
    } else if (n > 0) {
      const auto byte = [p](std::size_t i) { return std::uint64_t{static_cast<unsigned char>(p[i])}; };
      words.first = byte(0) | byte(n / 2) << 8 | byte(n - 1) << 16;
    }
    return words;
  }
  std::size_t slotOf(Words words, std::size_t size) const {
    return static_cast<std::size_t>(
               ((words.first * 0x9E3779B97F4A7C15ULL) ^ (words.last + size)) * 0xC2B2AE3D27D4EB4FULL >> 40) &
           mask_;
  }
  bool sameBytes(int field, std::string_view name) const;

  const std::vector<FieldDef>* fields_ = nullptr;
  std::vector<Slot> slots_{Slot{}};  // a power of two of them, four per field at least
  std::size_t mask_ = 0;
};

}  // namespace dbase
