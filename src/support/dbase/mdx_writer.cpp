// Writes a version 3 production index from scratch: the header page, the tag
// table and, per tag, its header block followed by a B-tree built bottom-up.
#include "support/dbase/mdx.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/dbase/mdx_layout.h"
#include "support/error.h"
#include "support/text.h"

namespace dbase {
namespace {

using namespace mdx;

constexpr std::size_t kMaxTagName = kNameBytesV3 - 1;
constexpr std::uint8_t kFirstChange = 1;

[[noreturn]] void refuse(std::string_view tableName, const std::string& reason) {
  throw support::Error("No se puede escribir el índice de " + std::string(tableName) + ": " + reason);
}

void putDate(std::string& bytes, std::size_t at, DbfDate date) {
  putU8(bytes, at, static_cast<std::uint8_t>(date.year - 1900));
  putU8(bytes, at + 1, static_cast<std::uint8_t>(date.month));
  putU8(bytes, at + 2, static_cast<std::uint8_t>(date.day));
}

void putText(std::string& bytes, std::size_t at, std::string_view text) {
  std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

// A new zeroed block at the end of the file; its first page.
std::uint32_t appendBlock(std::string& file) {
  const auto page = static_cast<std::uint32_t>(file.size() / kPageSize);
  file.append(kBlockSize, '\0');
  return page;
}

std::size_t blockOffset(std::uint32_t page) { return page * kPageSize; }

// Where each group ends when count items are cut into groups of at most
// `most`. The last group never holds a single item when another precedes it:
// a branch with one child is not allowed, so it takes one from its neighbour.
std::vector<std::size_t> groupEnds(std::size_t count, std::size_t most) {
  std::vector<std::size_t> ends;
  for (std::size_t end = most; end < count; end += most) ends.push_back(end);
  ends.push_back(count);
  if (ends.size() >= 2 && ends.back() - ends[ends.size() - 2] == 1) --ends[ends.size() - 2];
  return ends;
}

// The nodes of a tree of entries: leaves, then levels of branches.
std::size_t treeNodes(std::size_t entries, std::size_t maxKeys) {
  std::size_t level = groupEnds(entries, maxKeys - 1).size();
  std::size_t nodes = level;
  while (level > 1) {
    level = groupEnds(level, maxKeys).size();
    nodes += level;
  }
  return nodes;
}

// A written node: its page and the entry holding the largest key below it.
struct Node {
  std::uint32_t page = 0;
  std::size_t lastEntry = 0;
};

class TreeWriter {
 public:
  TreeWriter(std::string& file, const MdxTag& tag, const std::vector<const MdxEntry*>& entries)
      : file_(file),
        entries_(entries),
        group_(static_cast<std::size_t>(groupLength(tag.keyLength))),
        maxKeys_(static_cast<std::size_t>(maxKeys(tag.keyLength))) {}

  // Writes leaves of at most M - 1 entries (room for the host's inserts),
  // then levels of branches of at most M children until one node is left.
  void write() {
    std::vector<Node> level;
    std::size_t begin = 0;
    for (const std::size_t end : groupEnds(entries_.size(), maxKeys_ - 1)) {
      level.push_back(writeLeaf(begin, end));
      begin = end;
    }
    firstLeaf_ = level.front().page;
    lastLeaf_ = level.back().page;
    while (level.size() > 1) {
      std::vector<Node> above;
      begin = 0;
      for (const std::size_t end : groupEnds(level.size(), maxKeys_)) {
        above.push_back(writeBranch(level, begin, end));
        begin = end;
      }
      level = std::move(above);
    }
    root_ = level.front().page;
  }

  std::uint32_t root() const { return root_; }
  std::uint32_t firstLeaf() const { return firstLeaf_; }
  std::uint32_t lastLeaf() const { return lastLeaf_; }
  std::uint32_t nodes() const { return nodes_; }

 private:
  std::size_t groupAt(std::uint32_t page, std::size_t index) const {
    return blockOffset(page) + kNodeGroups + index * group_;
  }

  Node writeLeaf(std::size_t begin, std::size_t end) {
    const std::uint32_t page = newNode();
    putU32(file_, blockOffset(page) + kNodeCount, static_cast<std::uint32_t>(end - begin));
    for (std::size_t i = begin; i < end; ++i) {
      putU32(file_, groupAt(page, i - begin), entries_[i]->record);
      putText(file_, groupAt(page, i - begin) + 4, entries_[i]->key);
    }
    return {page, end == 0 ? 0 : end - 1};
  }

  // Children [begin, end) of the level below: a key per child but the last,
  // whose page follows the last key.
  Node writeBranch(const std::vector<Node>& below, std::size_t begin, std::size_t end) {
    const std::uint32_t page = newNode();
    const std::size_t keys = end - begin - 1;
    putU32(file_, blockOffset(page) + kNodeCount, static_cast<std::uint32_t>(keys));
    for (std::size_t i = 0; i < keys; ++i) {
      const Node& child = below[begin + i];
      putU32(file_, groupAt(page, i), child.page);
      putText(file_, groupAt(page, i) + 4, entries_[child.lastEntry]->key);
    }
    putU32(file_, groupAt(page, keys), below[end - 1].page);
    return {page, below[end - 1].lastEntry};
  }

  std::uint32_t newNode() {
    ++nodes_;
    return appendBlock(file_);
  }

  std::string& file_;
  const std::vector<const MdxEntry*>& entries_;
  std::size_t group_;
  std::size_t maxKeys_;
  std::uint32_t root_ = 0;
  std::uint32_t firstLeaf_ = 0;
  std::uint32_t lastLeaf_ = 0;
  std::uint32_t nodes_ = 0;
};

void checkTag(std::string_view tableName, const MdxTag& tag) {
  if (tag.name.empty() || tag.name.size() > kMaxTagName) {
    refuse(tableName, "nombre de etiqueta no válido \"" + tag.name + "\"");
  }
  if (tag.expression.size() >= kExpressionBytes) {
    refuse(tableName, "expresión demasiado larga en la etiqueta " + tag.name);
  }
  if (keyLengthOf(tag.keyType, tag.keyLength) != tag.keyLength) {
    refuse(tableName, "la etiqueta " + tag.name + " no admite claves de tipo " + std::string(1, tag.keyType) +
                          " y " + std::to_string(tag.keyLength) + " bytes");
  }
}

void checkEntries(std::string_view tableName, const MdxTag& tag, const std::vector<MdxEntry>& entries) {
  for (const MdxEntry& entry : entries) {
    if (entry.key.size() != static_cast<std::size_t>(tag.keyLength) || entry.record == 0) {
      refuse(tableName, "entrada no válida en la etiqueta " + tag.name + " (registro " +
                            std::to_string(entry.record) + ")");
    }
  }
}

std::vector<const MdxEntry*> indexOrder(char keyType, const std::vector<MdxEntry>& entries) {
  std::vector<const MdxEntry*> order;
  order.reserve(entries.size());
  for (const MdxEntry& entry : entries) order.push_back(&entry);
  const auto before = [keyType](const MdxEntry* a, const MdxEntry* b) {
    const int byKey = compareMdxKeys(keyType, a->key, b->key);
    return byKey < 0 || (byKey == 0 && a->record < b->record);
  };
  // The table engine hands its entries over in order already: checking
  // costs one comparison an entry, sorting them again many.
  if (!std::is_sorted(order.begin(), order.end(), before)) std::sort(order.begin(), order.end(), before);
  return order;
}

// The tag header block at headerPage and the tag's tree after it.
void writeTag(std::string& file, std::uint32_t headerPage, const MdxTag& tag,
              const std::vector<MdxEntry>& unordered, DbfDate date) {
  const std::vector<const MdxEntry*> entries = indexOrder(tag.keyType, unordered);
  TreeWriter tree(file, tag, entries);
  tree.write();

  const std::size_t at = blockOffset(headerPage);
  putU32(file, at + kRoot, tree.root());
  putU32(file, at + kPagesUsed, tree.nodes() * kPagesPerBlock);
  putU8(file, at + kKeyFormat, kFormatAscending);
  putU8(file, at + kKeyType, static_cast<std::uint8_t>(tag.keyType));
  putU16(file, at + kKeyLength, static_cast<std::uint16_t>(tag.keyLength));
  putU16(file, at + kMaxKeys, static_cast<std::uint16_t>(maxKeys(tag.keyLength)));
  putU16(file, at + kSecondaryType, tag.keyType == 'D' ? 1 : 0);
  putU16(file, at + kGroupLength, static_cast<std::uint16_t>(groupLength(tag.keyLength)));
  putU8(file, at + kChangeCounter, kFirstChange);
  putText(file, at + kExpression, tag.expression);
  putU8(file, at + kHasKeys, entries.empty() ? 0 : 1);
  putU32(file, at + kFirstLeaf, tree.firstLeaf());
  putU32(file, at + kLastLeaf, tree.lastLeaf());
  putDate(file, at + kTagDate, date);
  putU8(file, at + kSingleField, 1);
}

// Slot k of n, sorted by name: the tree of names is a chain to the right.
void writeSlot(std::string& file, std::size_t k, std::size_t n, std::uint32_t headerPage, const MdxTag& tag) {
  const std::size_t at = kTagTable + k * kSlotSizeV3;
  const std::size_t afterName = at + kSlotName + kNameBytesV3;
  putU32(file, at + kSlotPage, headerPage);
  putText(file, at + kSlotName, tag.name);
  putU8(file, afterName + kSlotFormat, kFormatAscending);
  putU8(file, afterName + kSlotLeft, 0);
  putU8(file, afterName + kSlotRight, static_cast<std::uint8_t>(k < n ? k + 1 : 0));
  putU8(file, afterName + kSlotParent, static_cast<std::uint8_t>(k - 1));
  putU8(file, afterName + kSlotConstant, kSlotConstantValue);
  putU8(file, afterName + kSlotKeyType, static_cast<std::uint8_t>(tag.keyType));
}

}  // namespace

std::string buildMdx(std::string_view tableName, const std::vector<MdxTagContents>& tags, DbfDate date) {
  std::vector<MdxTag> described;
  for (const MdxTagContents& contents : tags) described.push_back(contents.tag);
  return buildMdx(
      tableName, described,
      [&tags](std::size_t tag, std::vector<MdxEntry>& entries) { entries = tags[tag].entries; }, date);
}

std::string buildMdx(std::string_view tableName, const std::vector<MdxTag>& tags,
                     const EntryReader& entriesOf, DbfDate date) {
  if (tags.size() > kMaxTags) refuse(tableName, "más de 47 etiquetas");
  std::vector<MdxTag> upperNamed;
  upperNamed.reserve(tags.size());
  std::set<std::string> names;
  for (const MdxTag& described : tags) {
    checkTag(tableName, described);
    MdxTag tag = described;
    tag.name = support::upperAscii(tag.name);
    if (!names.insert(tag.name).second) refuse(tableName, "etiqueta repetida " + tag.name);
    upperNamed.push_back(std::move(tag));
  }
  std::vector<std::size_t> byName(tags.size());
  std::iota(byName.begin(), byName.end(), std::size_t{0});
  std::sort(byName.begin(), byName.end(),
            [&upperNamed](std::size_t a, std::size_t b) { return upperNamed[a].name < upperNamed[b].name; });

  std::string file(headerPages(kSlotSizeV3) * kPageSize, '\0');
  putU8(file, kVersion, kVersion3);
  putDate(file, kCreated, date);
  putText(file, kTableName, support::upperAscii(tableName.substr(0, kTableNameMax)));
  putU16(file, kBlockPages, kPagesPerBlock);
  putU16(file, kBlockBytes, static_cast<std::uint16_t>(kBlockSize));
  putU8(file, kProduction, 1);
  putU8(file, kSlotCount, kSlots);
  putU8(file, kSlotSize, kSlotSizeV3);
  putU16(file, kTagsInUse, static_cast<std::uint16_t>(tags.size()));
  putU8(file, kLanguageId, kDbWinUs0);
  putDate(file, kUpdated, date);
  if (!tags.empty()) {
    // Slot 0 is no tag but the head of the tree of tag names: its "right"
    // byte names tag 1. Its place depends on the slot size, and readers of
    // both sizes are about: the byte is set where each would look for it.
    putU8(file, kSlotZeroFlagV2, 1);
    putU8(file, kSlotZeroFlagV3, 1);
  }

  std::vector<MdxEntry> entries;  // one tag's at a time
  for (std::size_t k = 1; k <= byName.size(); ++k) {
    const std::size_t index = byName[k - 1];
    entries.clear();
    entriesOf(index, entries);
    checkEntries(tableName, upperNamed[index], entries);
    // The file grows by exactly the tag's blocks: doubling would hold up to
    // twice a large index.
    const auto maxKeysOfTag = static_cast<std::size_t>(maxKeys(upperNamed[index].keyLength));
    file.reserve(file.size() + (1 + treeNodes(entries.size(), maxKeysOfTag)) * kBlockSize);
    const std::uint32_t headerPage = appendBlock(file);
    writeSlot(file, k, byName.size(), headerPage, upperNamed[index]);
    writeTag(file, headerPage, upperNamed[index], entries, date);
  }
  putU32(file, kPagesInFile, static_cast<std::uint32_t>(file.size() / kPageSize));
  return file;
}

}  // namespace dbase
