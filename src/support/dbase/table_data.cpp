#include "support/dbase/table_data.h"

#include <algorithm>
#include <bit>
#include <map>

#include "support/dbase/mdx.h"
#include "support/error.h"
#include "support/file_system.h"
#include "support/text.h"

namespace dbase {
namespace fs = std::filesystem;

namespace {

// Larger files are not dBase tables of a school; refusing them keeps a
// hostile file from exhausting memory.
constexpr std::uint64_t kMaxTableBytes = std::uint64_t{1} << 30;

// Bytes of records held in one piece of memory.
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

// Bytes of records written by one write of a batch, at most. Linux keeps a
// file written in large pieces in large pages of its cache, and every later
// small write into such a page costs in proportion to its size (three times
// as much at a megabyte as at 64 KB): the document copied into a teacher's
// records, a few records at a time, pays for it. Pieces of 64 KB cost the
// batch's own write nothing measurable.
constexpr std::size_t kWriteBytes = std::size_t{64} << 10;

std::string registryKey(const fs::path& dbfFile) {
  std::error_code ec;
  const fs::path real = fs::weakly_canonical(dbfFile, ec);
  return (ec ? dbfFile : real).string();
}

std::map<std::string, std::weak_ptr<TableData>>& registry() {
  static std::map<std::string, std::weak_ptr<TableData>> tables;
  return tables;
}

// A value within a lookup key: its length in two bytes, then its bytes, so
// that no two lists of values give the same key.
void appendKeyPart(std::string& key, std::string_view part) {
  key += static_cast<char>(part.size() >> 8);
  key += static_cast<char>(part.size() & 0xFF);
  key += part;
}

}  // namespace

std::shared_ptr<TableData> TableData::acquire(const fs::path& dbfFile, bool exclusive) {
  auto& tables = registry();
  const std::string key = registryKey(dbfFile);
  if (auto it = tables.find(key); it != tables.end()) {
    if (std::shared_ptr<TableData> shared = it->second.lock()) {
      // A refused upgrade keeps the shared lock that the other handles rely on.
      if (exclusive && shared->file_.lock() != support::LockedFile::Lock::Exclusive &&
          !shared->file_.tryLock(support::LockedFile::Lock::Exclusive)) {
        throw support::Error("La tabla " + shared->fileName_ + " está en uso por otro programa");
      }
      return shared;
    }
    tables.erase(it);
  }
  std::shared_ptr<TableData> data(new TableData());
  data->load(dbfFile, exclusive);
  tables[key] = data;
  return data;
}

bool TableData::isOpenInProcess(const fs::path& dbfFile) {
  auto& tables = registry();
  const auto it = tables.find(registryKey(dbfFile));
  return it != tables.end() && !it->second.expired();
}

TableData::~TableData() = default;

void TableData::load(const fs::path& dbfFile, bool exclusive) {
  path_ = dbfFile;
  fileName_ = support::displayPath(dbfFile);
  std::error_code ec;
  if (!fs::is_regular_file(dbfFile, ec)) throw support::Error("No existe la tabla " + fileName_);
  try {
    file_ = support::LockedFile::open(dbfFile);
  } catch (const support::Error& e) {
    throw support::Error("No se puede abrir la tabla " + fileName_ + ": " + e.what());
  }
  if (!file_.tryLock(exclusive ? support::LockedFile::Lock::Exclusive : support::LockedFile::Lock::Shared)) {
    throw support::Error("La tabla " + fileName_ + " está en uso por otro programa");
  }
  if (file_.size() > kMaxTableBytes)
    throw support::Error("Tabla dañada: " + fileName_ + " (demasiado grande)");
  // The header, then the records a chunk at a time: a large table is never
  // held twice. A header is at most 65535 bytes long.
  const std::uint64_t fileSize = file_.size();
  const std::string head =
      file_.readAt(0, static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, 65536)));
  layout_ = parseDbfHeader(head, fileSize, fileName_);
  count_ = layout_.recordCount;
  fileCount_ = count_;
  unfinished_ = head[kUnfinishedOffset] != 0;
  names_ = FieldNames(layout_.fields);
  blankRecord_.assign(1, kLiveRecord);
  for (const FieldDef& f : layout_.fields) blankRecord_ += emptyFieldBytes(f, layout_.family);
  // A power of two of records per chunk: a record's chunk and place in it
  // are a shift and a mask away.
  perChunk_ = std::bit_floor(std::max<std::size_t>(1, kChunkBytes / layout_.recordLength));
  chunkShift_ = std::countr_zero(perChunk_);
  perWrite_ = std::max<std::size_t>(1, kWriteBytes / layout_.recordLength);
  for (std::uint32_t first = 0; first < count_; first += static_cast<std::uint32_t>(perChunk_)) {
    const std::size_t records = std::min<std::size_t>(perChunk_, count_ - first);
    std::string chunk = file_.readAt(layout_.headerLength + std::uint64_t{first} * layout_.recordLength,
                                     records * layout_.recordLength);
    if (chunk.size() != records * layout_.recordLength) {
      throw support::Error("Tabla dañada: " + fileName_ + " (el archivo se ha acortado mientras se leía)");
    }
    chunks_.push_back(std::move(chunk));
  }
  for (std::uint32_t i = 0; i < count_; ++i) live_ += deleted(i) ? 0 : 1;
  loadTags();
}

void TableData::loadTags() {
  if (!layout_.mdxFlag) return;
  const std::string base = path_.stem().string() + ".MDX";
  const auto mdx = support::findNoCase(path_.parent_path(), base);
  if (!mdx) {
    throw support::Error("Falta el índice " + support::displayPath(path_.parent_path() / base) +
                         " de la tabla " + fileName_);
  }
  mdxPath_ = *mdx;
  for (const MdxTag& tag : readMdxTags(support::readFile(*mdx), support::displayPath(*mdx))) {
    TagIndex index;
    index.def = {tag.name, tag.expression};
    index.field = tag.ordinary ? fieldIndex(tag.expression) : -1;
    if (index.field >= 0) {
      const FieldDef& field = layout_.fields[static_cast<std::size_t>(index.field)];
      index.order = TagOrder(sortKey(field, layout_.family, emptyFieldBytes(field, layout_.family)).size());
    }
    tagDefs_.push_back(index.def);
    tags_.push_back(std::move(index));
  }
}

void TableData::finish() {
  if (!file_.isOpen()) return;       // lost to another program: nothing of it is ours to write
  if (!unwritable_.empty()) return;  // the file lags behind the records: the next writer repairs it
  writeHeld();
  const bool repair = unfinished_ && writer_ && file_.writable() &&
                      std::all_of(tags_.begin(), tags_.end(), [](const TagIndex& t) { return t.field >= 0; });
  if (!changed_ && !repair) return;
  if (!tags_.empty()) writeIndex();
  if (unfinished_) file_.writeAt(kUnfinishedOffset, std::string(1, '\0'));
  unfinished_ = false;
  changed_ = false;
}

void TableData::writeIndex() {
  std::vector<MdxTag> described;
  for (const TagIndex& tag : tags_) {
    described.push_back(mdxTagFor(tag.def.name, layout_.fields[static_cast<std::size_t>(tag.field)]));
    described.back().expression = tag.def.field;
  }
  const auto entriesOf = [this, &described](std::size_t t, std::vector<MdxEntry>& entries) {
    const int f = tags_[t].field;
    const FieldDef& field = layout_.fields[static_cast<std::size_t>(f)];
    const TagOrder& sorted = order(static_cast<int>(t));
    // A character field's key is its bytes with NUL as blank, as the order
    // holds it already: taken from there, the records are not read again.
    const bool keyInOrder = field.type == FieldType::Character && described[t].keyLength == field.width;
    entries.reserve(sorted.size());
    for (TagOrder::Position p = sorted.begin(); p != sorted.end(); p = sorted.next(p)) {
      const std::uint32_t i = sorted.record(p);
      entries.push_back({keyInOrder ? std::string(sorted.key(p)) : mdxKey(field, fieldBytes(i, f)), i + 1});
    }
  };
  const fs::path target =
      mdxPath_.empty() ? path_.parent_path() / (path_.stem().string() + ".MDX") : mdxPath_;
  support::writeFileAtomically(target, buildMdx(path_.stem().string(), described, entriesOf, today()));
}

int TableData::fieldIndex(std::string_view name) const {
  // Callers nearly always spell the name as stored; the exact lookup is much
  // cheaper than folding case, and it runs on every field access.
  if (const int f = names_.find(name); f >= 0) return f;
  for (std::size_t i = 0; i < layout_.fields.size(); ++i) {
    if (support::equalsIgnoringCase(layout_.fields[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

const TagOrder& TableData::order(int t) const {
  TagIndex& tag = tags_[static_cast<std::size_t>(t)];
  if (!tag.ordered) {
    std::string keys;
    keys.reserve(std::size_t{count_} * tag.order.keyWidth());
    const FieldDef& field = layout_.fields[static_cast<std::size_t>(tag.field)];
    for (std::uint32_t i = 0; i < count_; ++i)
      appendSortKey(field, layout_.family, fieldBytes(i, tag.field), keys);
    tag.order.assign(keys);
    tag.ordered = true;
  }
  return tag.order;
}

int TableData::tagIndex(std::string_view name) const {
  for (std::size_t i = 0; i < tags_.size(); ++i) {
    if (support::equalsIgnoringCase(tags_[i].def.name, name)) return static_cast<int>(i);
  }
  return -1;
}

// Records are kept in chunks of at most kChunkBytes: a large table grows
// without copying itself (only its last chunk may move), and a table that
// is only read takes no more than its records.
void TableData::storeRecord(std::uint32_t i, std::string_view rec) {
  const std::size_t chunk = i >> chunkShift_;
  if (chunk == chunks_.size()) chunks_.emplace_back();
  std::string& bytes = chunks_[chunk];
  const std::size_t at = (i & (perChunk_ - 1)) * layout_.recordLength;
  if (at == bytes.size()) {
    // A chunk that grows takes its whole size at once: growing it by
    // doubling would hold up to twice its records.
    bytes.reserve(perChunk_ * layout_.recordLength);
    bytes += rec;
  } else {
    bytes.replace(at, layout_.recordLength, rec);
  }
}

std::string TableData::tagKey(const TagIndex& tag, std::string_view rec) const {
  return sortKey(layout_.fields[static_cast<std::size_t>(tag.field)], layout_.family,
                 fieldBytes(rec, tag.field));
}

void TableData::beforeChange() {
  ++version_;
  if (!file_.isOpen()) throw support::Error("La tabla " + fileName_ + " está en uso por otro programa");
  if (!unwritable_.empty()) throw cannotWrite(unwritable_);
  if (!file_.writable())
    throw support::Error("No se puede modificar la tabla " + fileName_ + ": el archivo es de solo lectura");
  for (const TagIndex& tag : tags_) {
    if (tag.field < 0) {
      throw support::Error("El índice " + tag.def.name + " de la tabla " + fileName_ +
                           " no se puede mantener (no es un índice ascendente sobre un campo)");
    }
  }
  if (!changed_) {
    file_.writeAt(1, dateBytes(today()));
    if (!unfinished_) file_.writeAt(kUnfinishedOffset, std::string(1, '\1'));
    unfinished_ = true;
    changed_ = true;
  }
}

void TableData::writeCount(std::uint32_t records) {
  std::string count(4, '\0');
  for (int b = 0; b < 4; ++b)
    count[static_cast<std::size_t>(b)] = static_cast<char>((records >> (8 * b)) & 0xFF);
  file_.writeAt(kCountOffset, count);
  fileCount_ = records;
}

std::uint32_t TableData::append(const std::string& rec) {
  beforeChange();
  const std::uint32_t i = count_;
  if (batches_ > 0) {
    hold(i);
  } else {
    // The record and the end mark in one write, then the count: a crash in
    // between leaves a complete table of the old count followed by bytes
    // that no reader takes for a record, never a count that promises a
    // record the file does not hold.
    writeNamingTable([&] {
      writeBuffer_.assign(rec);
      writeBuffer_ += kEndOfFile;
      file_.writeAt(layout_.headerLength + static_cast<std::uint64_t>(i) * layout_.recordLength,
                    writeBuffer_);
      writeCount(i + 1);
    });
  }
  count_ = i + 1;
  storeRecord(i, rec);
  if (rec[0] != kDeletedRecord) ++live_;
  indexNewRecord(i, rec);
  return i;
}

void TableData::update(std::uint32_t i, const std::string& rec) {
  beforeChange();
  if (batches_ > 0) {
    hold(i);
  } else {
    writeNamingTable([&] {
      file_.writeAt(layout_.headerLength + static_cast<std::uint64_t>(i) * layout_.recordLength, rec);
    });
  }
  const std::string_view old = record(i);  // until the record is stored
  reindexRecord(i, old, rec);
  live_ += (rec[0] != kDeletedRecord) - (old[0] != kDeletedRecord);
  storeRecord(i, rec);
}

void TableData::endBatch() {
  if (batches_ > 0 && --batches_ == 0 && unwritable_.empty()) writeHeld();
}

// Each run of consecutive held records goes in writes of at most kWriteBytes,
// none spanning two chunks of memory; then, when the batch appended records,
// the end mark and the count, in that order, as a single append writes them.
void TableData::writeHeld() {
  if (held_.empty()) return;
  // Records are mostly held in ascending order (appended, or walked in an
  // order that follows their numbers).
  if (!std::is_sorted(held_.begin(), held_.end())) std::sort(held_.begin(), held_.end());
  for (const std::uint32_t i : held_) isHeld_[i] = false;
  try {
    for (std::size_t run = 0; run < held_.size();) {
      std::size_t end = run + 1;
      while (end < held_.size() && held_[end] == held_[end - 1] + 1) ++end;
      for (std::uint32_t first = held_[run]; first <= held_[end - 1];) {
        const std::size_t inChunk = perChunk_ - (first & (perChunk_ - 1));
        const auto records = static_cast<std::uint32_t>(
            std::min({inChunk, std::size_t{held_[end - 1] - first + 1}, perWrite_}));
        const std::string_view bytes(record(first).data(), std::size_t{records} * layout_.recordLength);
        file_.writeAt(layout_.headerLength + std::uint64_t{first} * layout_.recordLength, bytes);
        first += records;
      }
      run = end;
    }
    if (count_ != fileCount_) {
      file_.writeAt(layout_.headerLength + std::uint64_t{count_} * layout_.recordLength,
                    std::string(1, kEndOfFile));
      writeCount(count_);
    }
  } catch (const support::Error& e) {
    writeFailed(e);
  }
  held_.clear();
}

// Each record once, however many times a batch changes it.
void TableData::hold(std::uint32_t i) {
  if (isHeld_.size() <= i) isHeld_.resize(std::max<std::size_t>(i + 1, 2 * isHeld_.size()), false);
  if (isHeld_[i]) return;
  isHeld_[i] = true;
  held_.push_back(i);
}

support::Error TableData::cannotWrite(const std::string& reason) const {
  return support::Error("No se puede escribir la tabla " + fileName_ + ": " + reason);
}

void TableData::writeFailed(const support::Error& e) {
  unwritable_ = e.what();
  held_.clear();
  throw cannotWrite(unwritable_);
}

void TableData::markDeleted(std::uint32_t i) {
  std::string rec(record(i));
  rec[0] = kDeletedRecord;
  update(i, rec);
}

// Enters a new record i in every tag order and every locate hash.
void TableData::indexNewRecord(std::uint32_t i, std::string_view rec) {
  for (TagIndex& tag : tags_) {
    if (tag.ordered) tag.order.insert(tagKey(tag, rec), i);
  }
  if (rec[0] == kDeletedRecord) return;  // deleted records are never found by locate
  for (Lookup& lookup : lookups_) lookup.hits.emplace(lookupHash(lookup.fields, rec), i);
}

// Moves record i only in the tags and locate hashes whose fields the change
// touched: most edits leave every key as it was, and re-sorting them all
// would make each post cost as much as a re-insertion.
void TableData::reindexRecord(std::uint32_t i, std::string_view old, std::string_view rec) {
  const auto same = [&](int f) { return fieldBytes(old, f) == fieldBytes(rec, f); };
  for (TagIndex& tag : tags_) {
    if (!tag.ordered || same(tag.field)) continue;
    tag.order.erase(tagKey(tag, old), i);
    tag.order.insert(tagKey(tag, rec), i);
  }
  const bool wasLive = old[0] != kDeletedRecord;
  const bool isLive = rec[0] != kDeletedRecord;
  for (Lookup& lookup : lookups_) {
    if (wasLive == isLive && std::all_of(lookup.fields.begin(), lookup.fields.end(), same)) continue;
    if (wasLive) {
      auto [from, to] = lookup.hits.equal_range(lookupHash(lookup.fields, old));
      for (; from != to; ++from) {
        if (from->second == i) {
          lookup.hits.erase(from);
          break;
        }
      }
    }
    if (isLive) lookup.hits.emplace(lookupHash(lookup.fields, rec), i);
  }
}

// The values of fields as read, in key: a character field's value straight
// from the record, another kind's decoded.
void TableData::lookupKey(const std::vector<int>& fields, std::string_view rec, std::string& key) const {
  key.clear();
  for (int f : fields) {
    const FieldDef& field = layout_.fields[static_cast<std::size_t>(f)];
    const std::string_view bytes = fieldBytes(rec, f);
    if (field.type == FieldType::Character) {
      appendKeyPart(key, characterValue(bytes));
    } else {
      appendKeyPart(key, decodeText(field, layout_.family, bytes));
    }
  }
}

std::size_t TableData::lookupHash(const std::vector<int>& fields, std::string_view rec) const {
  lookupKey(fields, rec, recordKey_);
  return std::hash<std::string_view>()(recordKey_);
}

const std::vector<std::uint32_t>& TableData::matching(const std::vector<int>& fields,
                                                      const std::vector<std::string>& values) {
  auto it =
      std::find_if(lookups_.begin(), lookups_.end(), [&](const Lookup& l) { return l.fields == fields; });
  if (it == lookups_.end()) {
    Lookup lookup{fields, {}};
    lookup.hits.reserve(count_);
    for (std::uint32_t i = 0; i < count_; ++i) {
      if (!deleted(i)) lookup.hits.emplace(lookupHash(fields, record(i)), i);
    }
    lookups_.push_back(std::move(lookup));
    it = std::prev(lookups_.end());
  }
  wantedKey_.clear();
  for (const std::string& v : values) appendKeyPart(wantedKey_, v);
  // Records whose values only share the hash are left out.
  matched_.clear();
  const auto [from, to] = it->hits.equal_range(std::hash<std::string_view>()(wantedKey_));
  for (auto hit = from; hit != to; ++hit) {
    lookupKey(fields, record(hit->second), recordKey_);
    if (recordKey_ == wantedKey_) matched_.push_back(hit->second);
  }
  std::sort(matched_.begin(), matched_.end());
  return matched_;
}

}  // namespace dbase
