// Reads a production index of version 2 or 3 from its bytes. Every count,
// length and page number is checked before it is used: blocks must lie
// after the header area and inside the pages the header declares, and no page
// may belong to two blocks, which also stops a walk that runs in a circle.
#include "support/dbase/mdx.h"

#include <cstddef>
#include <cstdint>
#include <optional>
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

// Page numbers of 32 bits reach at most 2^31 nodes of two pages, so a tree
// whose branches have two children or more is at most 32 levels deep. A
// deeper walk can only be a damaged or hostile file whose pages point back
// up the tree: it is refused there instead of recursing without end.
constexpr int kMaxDepth = 32;

// A tag as found in the file: its description and what walking it needs.
struct StoredTag {
  MdxTag tag;
  std::uint32_t root = 0;
  std::size_t maxKeys = 0;
  std::size_t group = 0;
  bool descending = false;
};

// What is known about the file while reading it.
class Reading {
 public:
  explicit Reading(const std::string& fileName) : fileName_(fileName) {}

  [[noreturn]] void damaged(const std::string& reason) const {
    throw support::Error("Índice dañado: " + fileName_ + " (" + reason + ")");
  }

  // Checks the header page; afterwards blocks can be claimed.
  void readHeader(std::string_view bytes) {
    if (bytes.size() < kTagTable) damaged("archivo más corto que la cabecera");
    slotSize_ = getU8(bytes, kSlotSize);
    if (slotSize_ != kSlotSizeV2 && slotSize_ != kSlotSizeV3) {
      damaged("entradas de etiqueta de " + std::to_string(slotSize_) + " bytes");
    }
    headerPages_ = headerPages(slotSize_);
    if (bytes.size() < headerPages_ * kPageSize) damaged("archivo más corto que la cabecera");
    tagCount_ = getU16(bytes, kTagsInUse);
    if (tagCount_ > kMaxTags) damaged(std::to_string(tagCount_) + " etiquetas en uso");
    const std::uint32_t declared = getU32(bytes, kPagesInFile);
    if (declared > bytes.size() / kPageSize) {
      damaged("la cabecera declara " + std::to_string(declared) + " páginas y el archivo tiene " +
              std::to_string(bytes.size() / kPageSize));
    }
    if (declared < headerPages_) {
      damaged("la cabecera declara " + std::to_string(declared) + " páginas");
    }
    pages_ = declared;
    used_.assign(pages_, false);
  }

  std::size_t tagCount() const { return tagCount_; }

  // Slot k (1-based) and the tag header block it points to.
  StoredTag readTag(std::string_view bytes, std::size_t k) {
    const std::size_t nameBytes = slotSize_ == kSlotSizeV3 ? kNameBytesV3 : kNameBytesV2;
    const std::size_t at = kTagTable + k * slotSize_;
    const std::size_t afterName = at + kSlotName + nameBytes;
    StoredTag stored;
    MdxTag& tag = stored.tag;
    tag.name = textUpToNul(bytes.substr(at + kSlotName, nameBytes));
    if (tag.name.empty()) damaged("la etiqueta " + std::to_string(k) + " no tiene nombre");
    const std::string_view header =
        claimBlock(bytes, getU32(bytes, at + kSlotPage), "la cabecera de la etiqueta " + tag.name);

    tag.keyType = static_cast<char>(getU8(bytes, afterName + kSlotKeyType));
    if (static_cast<char>(getU8(header, kKeyType)) != tag.keyType) {
      damaged("tipos de clave distintos en la etiqueta " + tag.name);
    }
    tag.keyLength = getU16(header, kKeyLength);
    if (keyLengthOf(tag.keyType, tag.keyLength) != tag.keyLength) {
      damaged("clave de " + std::to_string(tag.keyLength) + " bytes y tipo " + std::string(1, tag.keyType) +
              " en la etiqueta " + tag.name);
    }
    stored.group = getU16(header, kGroupLength);
    if (stored.group != static_cast<std::size_t>(groupLength(tag.keyLength))) {
      damaged("longitud de grupo " + std::to_string(stored.group) + " en la etiqueta " + tag.name);
    }
    stored.maxKeys = getU16(header, kMaxKeys);
    if (stored.maxKeys < 1 || stored.maxKeys > static_cast<std::size_t>(maxKeys(tag.keyLength))) {
      damaged("máximo de " + std::to_string(stored.maxKeys) + " claves por nodo en la etiqueta " + tag.name);
    }
    tag.expression = textUpToNul(header.substr(kExpression, kExpressionBytes));
    stored.root = getU32(header, kRoot);
    stored.descending = (getU8(header, kKeyFormat) & kFormatDescending) != 0;
    tag.ordinary = !stored.descending && (getU8(header, kKeyFormat) & kFormatUnique) == 0 &&
                   getU8(header, kUniqueFlag) == 0 && getU8(header, kHasForClause) == 0;
    return stored;
  }

  // The 1024-byte block at page, which from now on belongs to what.
  std::string_view claimBlock(std::string_view bytes, std::uint32_t page, const std::string& what) {
    if (page < headerPages_ || page > pages_ - kPagesPerBlock) {
      damaged(what + " está en la página " + std::to_string(page) + ", fuera del archivo");
    }
    for (std::uint32_t p = page; p < page + kPagesPerBlock; ++p) {
      if (used_[p]) damaged("la página " + std::to_string(p) + " se usa dos veces");
      used_[p] = true;
    }
    return bytes.substr(page * kPageSize, kBlockSize);
  }

 private:
  static std::string textUpToNul(std::string_view field) {
    return std::string(field.substr(0, field.find('\0')));
  }

  const std::string& fileName_;
  std::size_t slotSize_ = 0;
  std::size_t headerPages_ = 0;
  std::size_t tagCount_ = 0;
  std::uint32_t pages_ = 0;
  std::vector<bool> used_;
};

std::vector<StoredTag> readTags(std::string_view bytes, Reading& reading) {
  reading.readHeader(bytes);
  std::vector<StoredTag> tags;
  std::set<std::string> names;
  for (std::size_t k = 1; k <= reading.tagCount(); ++k) {
    tags.push_back(reading.readTag(bytes, k));
    if (!names.insert(support::upperAscii(tags.back().tag.name)).second) {
      reading.damaged("etiqueta repetida " + tags.back().tag.name);
    }
  }
  return tags;
}

// Walks one tag's tree depth first, collecting its leaf entries in order.
class TreeWalk {
 public:
  TreeWalk(Reading& reading, const StoredTag& stored) : reading_(reading), stored_(stored) {}

  std::vector<MdxEntry> entries(std::string_view bytes) && {
    visit(bytes, stored_.root, 0);
    return std::move(entries_);
  }

 private:
  void visit(std::string_view bytes, std::uint32_t page, int depth) {
    const std::string& name = stored_.tag.name;
    if (depth > kMaxDepth) reading_.damaged("más de 32 niveles en la etiqueta " + name);
    const std::string_view node = reading_.claimBlock(bytes, page, "un nodo de la etiqueta " + name);
    const std::uint32_t count = getU32(node, kNodeCount);
    if (count > stored_.maxKeys) {
      reading_.damaged("nodo con " + std::to_string(count) + " claves en la página " + std::to_string(page));
    }
    const std::uint32_t lastChild = getU32(node, kNodeGroups + count * stored_.group);
    if (lastChild == 0) {
      readLeaf(node, page, count, depth);
      return;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::size_t at = kNodeGroups + i * stored_.group;
      visit(bytes, getU32(node, at), depth + 1);
      if (entries_.back().key != key(node, at)) {
        reading_.damaged("clave de rama distinta de la última de su hijo en la página " +
                         std::to_string(page));
      }
    }
    visit(bytes, lastChild, depth + 1);
  }

  void readLeaf(std::string_view node, std::uint32_t page, std::uint32_t count, int depth) {
    if (count == 0 && depth > 0) {
      reading_.damaged("hoja vacía en la página " + std::to_string(page));
    }
    if (!leafDepth_) leafDepth_ = depth;
    if (*leafDepth_ != depth) {
      reading_.damaged("hojas a distinta profundidad en la etiqueta " + stored_.tag.name);
    }
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::size_t at = kNodeGroups + i * stored_.group;
      MdxEntry entry{std::string(key(node, at)), getU32(node, at)};
      if (entry.record == 0) {
        reading_.damaged("registro 0 en la página " + std::to_string(page));
      }
      if (!entries_.empty() && !inOrder(entries_.back(), entry)) {
        reading_.damaged("claves desordenadas en la página " + std::to_string(page));
      }
      entries_.push_back(std::move(entry));
    }
  }

  std::string_view key(std::string_view node, std::size_t groupAt) const {
    return node.substr(groupAt + 4, static_cast<std::size_t>(stored_.tag.keyLength));
  }

  bool inOrder(const MdxEntry& before, const MdxEntry& after) const {
    int byKey = compareMdxKeys(stored_.tag.keyType, before.key, after.key);
    if (stored_.descending) byKey = -byKey;
    return byKey < 0 || (byKey == 0 && before.record <= after.record);
  }

  Reading& reading_;
  const StoredTag& stored_;
  std::vector<MdxEntry> entries_;
  std::optional<int> leafDepth_;
};

}  // namespace

std::vector<MdxTag> readMdxTags(std::string_view bytes, const std::string& fileName) {
  Reading reading(fileName);
  std::vector<MdxTag> tags;
  for (StoredTag& stored : readTags(bytes, reading)) tags.push_back(std::move(stored.tag));
  return tags;
}

std::vector<MdxTagContents> readMdx(std::string_view bytes, const std::string& fileName) {
  Reading reading(fileName);
  std::vector<MdxTagContents> contents;
  for (const StoredTag& stored : readTags(bytes, reading)) {
    contents.push_back({stored.tag, TreeWalk(reading, stored).entries(bytes)});
  }
  return contents;
}

}  // namespace dbase
