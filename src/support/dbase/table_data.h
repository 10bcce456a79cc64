// The one in-memory copy of an open table, shared by every handle on the same
// file in this process (found through a registry keyed by the file's real
// path). It holds the records, the order of every index tag, and the file
// with its lock; each change is written through to the .DBF at once (or when
// its write batch ends), and the .MDX is rebuilt when the last handle lets go
// of a changed table.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "support/dbase/dbf_format.h"
#include "support/dbase/field.h"
#include "support/dbase/field_names.h"
#include "support/dbase/tag_order.h"
#include "support/error.h"
#include "support/platform.h"

namespace dbase {

struct TagIndex {
  TagDef def;
  int field = -1;  // -1: not an ascending tag on one field of the table; never used or kept
  // The order of the records in this tag (TableData::order()): sorted from
  // the records when first asked for and kept up to date from then on, so
  // that a tag nobody walks or searches costs nothing while the table changes.
  TagOrder order;
  bool ordered = false;
};

class TableData {
 public:
  // The shared copy for dbfFile, opened and locked (shared, or exclusive when
  // asked) if no handle of this process has it yet. Throws support::Error
  // naming the file when it is missing, damaged or locked by another program.
  static std::shared_ptr<TableData> acquire(const std::filesystem::path& dbfFile, bool exclusive);
  // True when a handle of this process has dbfFile open.
  static bool isOpenInProcess(const std::filesystem::path& dbfFile);

  ~TableData();
  TableData(const TableData&) = delete;
  TableData& operator=(const TableData&) = delete;

  // A handle that may change the table opened it: closing may then repair a
  // table left unfinished by a crash.
  void noteWriter() { writer_ = true; }
  // Writes the .MDX again when the table changed or was left unfinished, and
  // marks the table finished. Called by the last handle.
  void finish();

  const std::string& fileName() const { return fileName_; }
  const DbfLayout& layout() const { return layout_; }
  const std::vector<FieldDef>& fields() const { return layout_.fields; }
  const std::vector<TagDef>& tagDefs() const { return tagDefs_; }
  const std::vector<TagIndex>& tags() const { return tags_; }
  int fieldIndex(std::string_view name) const;  // -1 when absent
  int tagIndex(std::string_view name) const;    // -1 when absent
  // The order of tag t (one whose field is >= 0), sorted from the records the
  // first time it is asked for. Holds until the next change of the records.
  const TagOrder& order(int t) const;

  std::uint32_t size() const { return count_; }
  // Changes with every change to the records, so that a handle can tell
  // whether what it remembers of the tag orders still holds.
  std::uint64_t version() const { return version_; }
  int liveCount() const { return live_; }
  // The bytes of record i (deletion mark first) and of one of its fields.
  // The views point into the table's memory: they hold until the next
  // append (which may move the last records) or the close of the table,
  // and show the record as changed when it is changed meanwhile, so a
  // caller that needs the old bytes copies them first.
  std::string_view record(std::uint32_t i) const {
    return {chunks_[i >> chunkShift_].data() + (i & (perChunk_ - 1)) * layout_.recordLength,
            layout_.recordLength};
  }
  bool deleted(std::uint32_t i) const { return record(i)[0] == kDeletedRecord; }
  std::string_view fieldBytes(std::uint32_t i, int field) const { return fieldBytes(record(i), field); }
  // A field of a record held elsewhere (a pending one): a view into record.
  std::string_view fieldBytes(std::string_view record, int field) const {
    const auto f = static_cast<std::size_t>(field);
    return record.substr(layout_.offsets[f], static_cast<std::size_t>(layout_.fields[f].width));
  }
  // A new record: live, every field empty.
  const std::string& blankRecord() const { return blankRecord_; }
  std::string tagKey(const TagIndex& tag, std::string_view record) const;

  // Changes, written through to the file (or held by a write batch). Throw
  // support::Error on a failed write or when a tag of the table cannot be
  // rebuilt.
  std::uint32_t append(const std::string& record);
  void update(std::uint32_t i, const std::string& record);
  void markDeleted(std::uint32_t i);

  // Write batches (dbase::WriteBatch): while one is open, changes are made in
  // memory and held; when the outermost one ends, the held records are
  // written, a run of consecutive records 64 KB at a time, the end mark and
  // the record count last. A failed write makes the table refuse every
  // further change and leaves its index to be repaired by the next program
  // that opens it (the table stays marked unfinished): the file holds the
  // table as it was before the batch, or part of the batch's records, never
  // a count that promises a record it does not hold.
  void beginBatch() { ++batches_; }
  // Throws support::Error naming the table when the held records cannot be
  // written.
  void endBatch();

  // Records whose fields (indexes) read exactly as values, ascending; valid
  // until the next call.
  const std::vector<std::uint32_t>& matching(const std::vector<int>& fields,
                                             const std::vector<std::string>& values);

 private:
  TableData() = default;
  void load(const std::filesystem::path& dbfFile, bool exclusive);
  void loadTags();
  void beforeChange();
  void writeIndex();
  void storeRecord(std::uint32_t i, std::string_view record);
  void writeCount(std::uint32_t records);
  void writeHeld();
  void hold(std::uint32_t i);
  [[noreturn]] void writeFailed(const support::Error& e);
  // The error of a write that failed for reason, naming the table.
  support::Error cannotWrite(const std::string& reason) const;
  // Runs write (writes to the file), its failure an error naming the table.
  template <typename Write>
  void writeNamingTable(Write write) {
    try {
      write();
    } catch (const support::Error& e) {
      throw cannotWrite(e.what());
    }
  }
  void lookupKey(const std::vector<int>& fields, std::string_view record, std::string& key) const;
  std::size_t lookupHash(const std::vector<int>& fields, std::string_view record) const;
  void indexNewRecord(std::uint32_t i, std::string_view record);
  void reindexRecord(std::uint32_t i, std::string_view old, std::string_view record);

  std::filesystem::path path_;
  std::filesystem::path mdxPath_;
  std::string fileName_;
  support::LockedFile file_;
  DbfLayout layout_;
  FieldNames names_;
  std::vector<std::string> chunks_;  // the records, perChunk_ in each
  std::size_t perChunk_ = 1;
  int chunkShift_ = 0;        // perChunk_ is 1 << chunkShift_
  std::size_t perWrite_ = 1;  // records written by one write of a batch, at most
  std::string blankRecord_;
  std::string writeBuffer_;
  std::uint32_t count_ = 0;
  std::uint64_t version_ = 0;
  int live_ = 0;
  std::vector<TagDef> tagDefs_;
  mutable std::vector<TagIndex> tags_;  // their orders are sorted when first asked for
  bool changed_ = false;
  bool unfinished_ = false;
  bool writer_ = false;
  int batches_ = 0;
  std::vector<std::uint32_t> held_;  // records changed in a batch and not written yet, each once
  std::vector<bool> isHeld_;         // by record: in held_
  std::uint32_t fileCount_ = 0;      // the record count the file's header holds
  std::string unwritable_;           // why writing failed: the table takes no more changes
  // Hash indexes for locate, one per list of fields; kept up to date on
  // change. Each live record is held under the hash of its values as read,
  // which costs a few bytes a record; a search checks the values of the
  // records it finds there.
  struct Lookup {
    std::vector<int> fields;
    std::unordered_multimap<std::size_t, std::uint32_t> hits;
  };
  std::vector<Lookup> lookups_;
  std::vector<std::uint32_t> matched_;  // what matching() returned last
  // The keys a lookup builds and compares, kept to spare an allocation each.
  mutable std::string recordKey_;
  std::string wantedKey_;
};

}  // namespace dbase
