// The state of one table handle: the shared table it has open, the view it
// shows (order, filter, detail link), the current record and the record
// being edited. Kept behind a pointer by Table, so that detail links can
// point at it while the Table that owns it is moved.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/dbase/dbf_format.h"
#include "support/dbase/detail_link.h"
#include "support/dbase/table.h"
#include "support/dbase/table_data.h"
#include "support/dbase/view_order.h"

namespace dbase {

class TableData;

class Cursor {
 public:
  // A field of the current (or pending) record as stored.
  struct FieldRead {
    const FieldDef& def;
    DbfFamily family;
    std::string_view bytes;  // valid until the record or the table changes
  };

  Cursor(std::filesystem::path folder, std::string name);
  ~Cursor();
  Cursor(const Cursor&) = delete;
  Cursor& operator=(const Cursor&) = delete;

  const std::filesystem::path& folder() const { return folder_; }
  const std::string& name() const { return name_; }
  std::filesystem::path dbfPath() const;

  void open(OpenOptions options);
  void close();
  bool isOpen() const { return data_ != nullptr; }
  // The open table. Throws support::Error when the handle is closed.
  TableData& data() const;
  std::weak_ptr<TableData> sharedData() const {
    data();
    return data_;
  }

  void first();
  void next();
  void prior();
  void last();
  bool atEnd() const;
  // The physical index of the current record (the one a pending new record
  // was started from); none past the end.
  std::optional<std::uint32_t> currentRecord() const;
  void gotoBookmark(Bookmark mark);

  // The number of a field of the open table; throws support::Error naming
  // the table when it has none of that name.
  int fieldIndex(std::string_view name) const;
  FieldRead read(std::string_view field) const;
  // By number: the path of loops over many records, kept short.
  FieldRead read(int f) const {
    requireField(f);
    follow();
    const FieldDef& field = data_->fields()[static_cast<std::size_t>(f)];
    if (state_ != EditState::Browse) return {field, family(), data_->fieldBytes(buffer_, f)};
    if (!current_) noCurrentRecord();
    return {field, family(), data_->fieldBytes(*current_, f)};
  }
  std::string text(std::string_view field) const;
  // Encodes the value for the field (encode(def, family) gives its bytes)
  // into the pending record.
  template <typename Encode>
  void write(std::string_view field, Encode encode) {
    const int f = fieldIndex(field);
    requireEditing();
    store(f, encode(def(f), family()));
  }

  // The text into the pending record, in place when the field holds characters.
  void writeText(int f, std::string_view value) {
    requireField(f);
    requireEditing();
    const FieldDef& field = data_->fields()[static_cast<std::size_t>(f)];
    if (field.type != FieldType::Character) return store(f, encodeText(field, family(), value));
    encodeCharacters(value, buffer_.data() + data_->layout().offsets[static_cast<std::size_t>(f)],
                     static_cast<std::size_t>(field.width));
    modified_ = true;
  }

  EditState state() const { return state_; }
  void append();
  void edit();
  void post();
  void cancel();
  void remove();

  void selectTag(std::string_view tag);
  const std::string& selectedTag() const;
  bool findKey(std::string_view key);
  bool findKey(std::int32_t key);
  bool locate(std::string_view fieldList, const std::vector<std::string>& values);
  void setFilter(std::optional<Filter> filter);
  void linkTo(Cursor& master, std::string masterField, std::string detailTag);
  void unlink();

 private:
  void requireField(int f) const {
    if (!data_ || f < 0 || static_cast<std::size_t>(f) >= data_->fields().size()) noSuchField(f);
  }
  [[noreturn]] void noSuchField(int f) const;
  [[noreturn]] void noCurrentRecord() const;
  const FieldDef& def(int f) const;
  DbfFamily family() const { return data_->layout().family; }
  void requireEditing() const {
    if (state_ == EditState::Browse) notEditing();
  }
  [[noreturn]] void notEditing() const;
  void requireWritable() const;
  void store(int f, const std::string& encoded);
  void settle();
  void moveTo(std::optional<std::uint32_t> record);
  void masterMoved();
  void follow() const {
    if (followPending_) followMaster();
  }
  void followMaster() const;
  void masterClosed();
  void refreshLinkKey();
  int usableTag(std::string_view tag) const;
  int selectedTagIndex() const;
  bool findEncoded(const std::string& fieldBytes);
  void valueAsRead(const FieldDef& f, std::string_view value, std::string& read) const;

  std::filesystem::path folder_;
  std::string name_;
  std::shared_ptr<TableData> data_;
  OpenOptions options_;
  ViewScope scope_;
  ViewOrder order_;
  DetailLink link_;
  std::optional<std::uint32_t> current_;
  // The master moved since this detail was positioned: its link key and
  // current record are brought up to date when it is next used (follow()).
  bool followPending_ = false;
  EditState state_ = EditState::Browse;
  std::string buffer_;  // the pending record
  // The fields of the last locate, parsed once for the searches that repeat
  // it, and its values as read.
  struct Located {
    std::string fieldList;
    std::vector<int> fields;
    std::vector<std::string> values;
  };
  Located located_;
  bool modified_ = false;
};

}  // namespace dbase
