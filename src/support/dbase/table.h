// A handle on one dBase table in a folder: bound to a folder and a table name,
// closed or open, and when open positioned on one current record or past the
// end. All handles on the same file in this process share one in-memory copy
// of the records (table_data.h), so a change posted through one handle is
// seen at once through every other. Every post is written through to the
// .DBF, which is a complete, valid table afterwards (the posts of a
// WriteBatch are written together when it ends); the production .MDX is
// rebuilt when the last handle on a changed table closes.
//
// A move tests only the records the view may show: a detail's records are
// one key range of its tag, a filter's are found through a hash of the
// field's values, and a detail whose master has no current record is empty
// at once. A detail finds its master's records when it is next used, not at
// every move of the master.
//
// Implicit posting: append, first, next, prior, last, findKey, locate, remove,
// gotoBookmark and a move of the master of a detail link first post a pending
// record when any of its fields was set, and drop it when none was. Closing
// drops a pending record.
//
// Errors (missing table, refused lock, damaged file, unknown field, a change
// through a read-only handle) throw support::Error naming the table file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/dbase/field.h"

namespace dbase {

struct OpenOptions {
  bool exclusive = false;  // refused while another program has the table open
  bool readOnly = false;   // every change is refused
};

enum class EditState { Browse, Edit, Insert };

// Shows only the records whose field reads exactly as value.
struct Filter {
  std::string field;
  std::string value;

  bool operator==(const Filter&) const = default;
};

// A remembered record (its physical position).
struct Bookmark {
  std::uint32_t record = 0;

  bool operator==(const Bookmark&) const = default;
};

class Cursor;
class TableData;
class WriteBatch;

class Table {
 public:
  // Binds a closed handle to folder/name ("PROFT", "proft" and "PROFT.DBF"
  // name the same table).
  Table(std::filesystem::path folder, std::string name);
  ~Table();
  Table(Table&&) noexcept;
  Table& operator=(Table&&) noexcept;
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  const std::string& name() const;
  // The .DBF file: an existing file matched without regard to case, else
  // NAME.DBF in the folder.
  std::filesystem::path dbfPath() const;
  // False also when the folder cannot be read.
  bool exists() const;

  // Definitions used by create(); each call replaces the earlier one.
  void defineFields(std::vector<FieldDef> fields);
  void defineTags(std::vector<TagDef> tags);
  // Writes a new empty table (and its .MDX when it has tags), removing every
  // case variant of an old .DBF and .MDX first. Requires: closed, and no other
  // handle of this process has the table open.
  void create();

  void open(OpenOptions options = {});
  void close();
  bool isOpen() const;

  // The fields of the open table, in record order.
  const std::vector<FieldDef>& fields() const;
  // The tags of the open table.
  const std::vector<TagDef>& tags() const;

  // Walking in the current order (tag, filter and detail link applied).
  void first();
  void next();
  void prior();
  void last();
  bool atEnd() const;
  // Records in the table, deleted ones excluded, filter and link ignored.
  int recordCount() const;
  // 1-based physical number of the current record; 0 past the end or while
  // a new record is pending.
  std::uint32_t recordNumber() const;

  // The number of a field of the open table (0 for the first), for loops
  // that read or write the same fields of many records: a field given by
  // number is not searched for by name again. Throws support::Error when the
  // table has no field of that name.
  int fieldNumber(std::string_view field) const;

  // Reading the current (or pending) record. Requires: !atEnd() or a pending
  // record. Character values come back without trailing blanks; an empty
  // number reads as "" and 0.
  std::string text(std::string_view field) const;
  std::string text(int field) const;
  // A character field as text(), without a copy: a view into the record,
  // valid until the record or the table changes. A field of another kind is
  // an error.
  std::string_view characters(int field) const;
  std::int32_t integer(std::string_view field) const;
  std::int32_t integer(int field) const;
  bool boolean(std::string_view field) const;
  double number(std::string_view field) const;

  // Writing a field of the pending record. Requires: state() != Browse.
  // Text longer than a character field is cut to its width; text written to
  // a numeric field is converted ("" stores no value).
  void setText(std::string_view field, std::string_view value);
  void setText(int field, std::string_view value);
  void setInteger(std::string_view field, std::int32_t value);
  void setBoolean(std::string_view field, bool value);
  void setNumber(std::string_view field, double value);
  void setValue(std::string_view field, const Value& value);

  EditState state() const;
  void append();
  // Adds and posts one record; values go to the leading fields in order.
  void appendRecord(const std::vector<Value>& values);
  // Puts the current record in edit state; on an empty view starts a new record.
  void edit();
  void post();
  void cancel();
  // Deletes the current record; the next one becomes current.
  void remove();

  // "" selects the physical order.
  void selectTag(std::string_view tag);
  const std::string& selectedTag() const;
  // Positions on the first record whose tagged field equals key. Requires: a tag.
  bool findKey(std::string_view key);
  bool findKey(std::int32_t key);
  // fields: one name or several separated by ';', one value per field; exact,
  // case-sensitive comparison with the values as read.
  bool locate(std::string_view fields, const std::vector<std::string>& values);

  void setFilter(std::optional<Filter> filter);
  // Shows only the records whose detailTag field equals the master's current
  // masterField, following every move of the master.
  void linkTo(Table& master, std::string masterField, std::string detailTag);
  void unlink();

  Bookmark bookmark() const;
  void gotoBookmark(Bookmark mark);

 private:
  friend class WriteBatch;
  std::unique_ptr<Cursor> cursor_;
  std::vector<FieldDef> fieldDefs_;
  std::vector<TagDef> tagDefs_;
};

// Holds back the writes of a bulk change of one table (a build of the work
// tables, a document copied into a teacher's records). While the batch lives,
// posts through every handle on the table change its records in memory at
// once, as always, but the file is written when the batch ends, a run of
// consecutive records 64 KB at a time, the end mark and the record count last:
// the file stays a complete, valid table, until then the table as it was
// before the batch. Batches on one table may nest; the outermost writes. A
// failed write makes the table refuse every further change (its index is
// then repaired by the next program that opens it).
class WriteBatch {
 public:
  // Requires: table open.
  explicit WriteBatch(Table& table);
  // Writes what is held when commit() was not called (a step ending by an
  // error); a failure is then not reported, beyond the table refusing
  // changes.
  ~WriteBatch();
  WriteBatch(const WriteBatch&) = delete;
  WriteBatch& operator=(const WriteBatch&) = delete;

  // Ends the batch, writing what is held. Throws support::Error naming the
  // table when it cannot be written.
  void commit();

 private:
  std::weak_ptr<TableData> data_;  // the table's records; gone once every handle has closed it
};

// Records tested by the moves of every handle of this process since it
// started (a measure of work for the tests that guard walks).
std::uint64_t recordsTested();

// The uniform re-creation of a work table: delete the old .DBF and .MDX (any
// case variant), create the table from def and open it.
Table recreateTable(const std::filesystem::path& folder, const TableDef& def);

// True when folder holds name.DBF, matched without regard to case.
bool tableExists(const std::filesystem::path& folder, std::string_view name);

}  // namespace dbase
