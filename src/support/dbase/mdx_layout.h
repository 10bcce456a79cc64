// Byte positions of the production index file shared by its writer and its
// reader, and the little-endian accessors both use. Every pointer in the file
// is a 512-byte page number; tag headers and tree nodes are 1024-byte blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dbase::mdx {

inline constexpr std::size_t kPageSize = 512;
inline constexpr std::size_t kBlockSize = 1024;
inline constexpr std::uint32_t kPagesPerBlock = 2;

// File header (page 0).
inline constexpr std::size_t kVersion = 0;
inline constexpr std::size_t kCreated = 1;
inline constexpr std::size_t kTableName = 4;
inline constexpr std::size_t kTableNameMax = 8;
inline constexpr std::size_t kBlockPages = 20;
inline constexpr std::size_t kBlockBytes = 22;
inline constexpr std::size_t kProduction = 24;
inline constexpr std::size_t kSlotCount = 25;
inline constexpr std::size_t kSlotSize = 26;
inline constexpr std::size_t kTagsInUse = 28;
inline constexpr std::size_t kLanguageId = 31;
inline constexpr std::size_t kPagesInFile = 32;
inline constexpr std::size_t kUpdated = 44;

inline constexpr std::uint8_t kVersion3 = 3;
inline constexpr std::uint8_t kSlots = 48;  // slot 0 heads the tag tree
inline constexpr std::size_t kMaxTags = kSlots - 1;
inline constexpr std::uint8_t kSlotSizeV2 = 32;
inline constexpr std::uint8_t kSlotSizeV3 = 43;
inline constexpr std::size_t kNameBytesV2 = 11;
inline constexpr std::size_t kNameBytesV3 = 33;
inline constexpr std::uint8_t kDbWinUs0 = 0x57;

// Tag table: slots of the size in header byte 26 from offset 512. Inside a
// slot the name follows the page, then format, left, right, parent, 0x02 and
// the key type.
inline constexpr std::size_t kTagTable = 512;
inline constexpr std::size_t kSlotPage = 0;
inline constexpr std::size_t kSlotName = 4;
// The rest count from the end of the name, whose length depends on the version.
inline constexpr std::size_t kSlotFormat = 0;
inline constexpr std::size_t kSlotLeft = 1;
inline constexpr std::size_t kSlotRight = 2;
inline constexpr std::size_t kSlotParent = 3;
inline constexpr std::size_t kSlotConstant = 4;
inline constexpr std::size_t kSlotKeyType = 5;
inline constexpr std::uint8_t kSlotConstantValue = 0x02;
// The "right" byte of slot 0 in both slot sizes; writers set both.
inline constexpr std::size_t kSlotZeroFlagV2 = kTagTable + kSlotName + kNameBytesV2 + kSlotRight;
inline constexpr std::size_t kSlotZeroFlagV3 = kTagTable + kSlotName + kNameBytesV3 + kSlotRight;

// Tag header block.
inline constexpr std::size_t kRoot = 0;
inline constexpr std::size_t kPagesUsed = 4;
inline constexpr std::size_t kKeyFormat = 8;
inline constexpr std::size_t kKeyType = 9;
inline constexpr std::size_t kKeyLength = 12;
inline constexpr std::size_t kMaxKeys = 14;
inline constexpr std::size_t kSecondaryType = 16;
inline constexpr std::size_t kGroupLength = 18;
inline constexpr std::size_t kChangeCounter = 20;
inline constexpr std::size_t kExpression = 24;
inline constexpr std::size_t kExpressionBytes = 221;  // 220 characters and a NUL
inline constexpr std::size_t kUniqueFlag = 23;
inline constexpr std::size_t kHasForClause = 245;
inline constexpr std::size_t kHasKeys = 246;
inline constexpr std::size_t kFirstLeaf = 248;
inline constexpr std::size_t kLastLeaf = 252;
inline constexpr std::size_t kTagDate = 257;
inline constexpr std::size_t kSingleField = 480;

inline constexpr std::uint8_t kFormatAscending = 0x10;
inline constexpr std::uint8_t kFormatDescending = 0x08;
inline constexpr std::uint8_t kFormatUnique = 0x40;

// Tree node: key count, a reserved word, then groups of a page or record
// number followed by the key; the word after the last group is the last
// child of a branch and zero in a leaf.
inline constexpr std::size_t kNodeCount = 0;
inline constexpr std::size_t kNodeGroups = 8;
inline constexpr std::size_t kNodeOverhead = 12;

inline constexpr int kMaxKeyLength = 240;

// Pages taken by the header page and the tag table: 4 in version 2, 6 in 3.
constexpr std::size_t headerPages(std::size_t slotSize) {
  return (kTagTable + kSlots * slotSize + kPageSize - 1) / kPageSize;
}

// G: the key and its 4-byte pointer, rounded up to a multiple of 4.
constexpr int groupLength(int keyLength) { return (keyLength + 4 + 3) / 4 * 4; }
// M: the groups that fit in a block beside the node head and last pointer.
constexpr int maxKeys(int keyLength) {
  return static_cast<int>((kBlockSize - kNodeOverhead) / groupLength(keyLength));
}

inline std::uint32_t getU32(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

inline std::uint16_t getU16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

inline std::uint8_t getU8(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]);
}

inline void putU32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  }
}

inline void putU16(std::string& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

inline void putU8(std::string& bytes, std::size_t at, std::uint8_t value) {
  bytes[at] = static_cast<char>(value);
}

// The key length a tag of keyType has on a field of fieldWidth bytes; none
// for an unknown type or a character key outside 1..240 bytes.
std::optional<int> keyLengthOf(char keyType, int fieldWidth);

}  // namespace dbase::mdx
