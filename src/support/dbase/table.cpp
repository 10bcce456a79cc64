#include "support/dbase/table.h"

#include <algorithm>
#include <utility>

#include "support/dbase/dbf_format.h"
#include "support/dbase/mdx.h"
#include "support/dbase/table_data.h"
#include "support/error.h"
#include "support/file_system.h"
#include "support/platform.h"
#include "support/text.h"

namespace dbase {
namespace fs = std::filesystem;

namespace {

std::string baseName(std::string name) {
  if (name.size() > 4) {
    if (support::upperAscii(name.substr(name.size() - 4)) == ".DBF") name.resize(name.size() - 4);
  }
  return name;
}

std::vector<std::string> splitFields(std::string_view fieldList) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = fieldList.find(';', start);
    std::string_view part =
        fieldList.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    names.emplace_back(part);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return names;
}

}  // namespace

// The state of one handle. Kept behind a pointer so that detail links can
// point at it while the Table that owns it is moved.
class Cursor {
 public:
  Cursor(fs::path folder, std::string name) : folder_(std::move(folder)), name_(baseName(std::move(name))) {}

  ~Cursor() {
    try {
      close();
    } catch (...) {
      // A destructor cannot report; close() explicitly to see the error.
    }
  }

  fs::path dbfPath() const {
    const std::string file = name_ + ".DBF";
    return support::findNoCase(folder_, file).value_or(folder_ / file);
  }

  void create() {
    if (data_) throw support::Error("La tabla " + name_ + " está abierta y no se puede crear de nuevo");
    const fs::path target = folder_ / (name_ + ".DBF");
    if (TableData::isOpenInProcess(dbfPath())) {
      throw support::Error("La tabla " + support::displayPath(target) +
                           " está abierta y no se puede crear de nuevo");
    }
    std::vector<MdxTagContents> tags;
    for (const TagDef& tag : tagDefs_) {
      const auto field = std::find_if(fieldDefs_.begin(), fieldDefs_.end(),
                                      [&](const FieldDef& f) { return f.name == tag.field; });
      if (field == fieldDefs_.end() || tag.name.empty() || tag.name.size() > 32) {
        throw support::Error("Índice no válido " + tag.name + " en la tabla " + name_);
      }
      MdxTagContents contents{mdxTagFor(tag.name, *field), {}};
      contents.tag.expression = tag.field;
      tags.push_back(std::move(contents));
    }
    // Unfinished until the first handle that opens it for changes closes it.
    const std::string header = level7Header(fieldDefs_, 0, !tags.empty(), true, today());
    refuseHeldByAnotherProgram();
    for (const char* ext : {".DBF", ".MDX"}) {
      for (const fs::path& old : support::findAllNoCase(folder_, name_ + ext)) {
        std::error_code ignored;  // whatever survives is replaced below
        fs::remove(old, ignored);
      }
    }
    if (!tags.empty()) {
      support::writeFileAtomically(folder_ / (name_ + ".MDX"), buildMdx(name_, tags, today()));
    }
    support::writeFileAtomically(target, header + std::string(1, kEndOfFile));
  }

  // Where files can be removed while open (POSIX), deleting a table that
  // another program (the host) holds would leave that program working on a
  // file nobody sees any more: such a table is not re-created.
  void refuseHeldByAnotherProgram() const {
    for (const fs::path& old : support::findAllNoCase(folder_, name_ + ".DBF")) {
      support::LockedFile file;
      try {
        file = support::LockedFile::open(old);
      } catch (const support::Error&) {
        continue;  // not even readable: removing it decides
      }
      if (!file.tryLock(support::LockedFile::Lock::Exclusive)) {
        throw support::Error("La tabla " + support::displayPath(old) + " está en uso por otro programa");
      }
    }
  }

  void open(OpenOptions options) {
    if (data_) return;
    data_ = TableData::acquire(dbfPath(), options.exclusive);
    if (!options.readOnly) data_->noteWriter();
    options_ = options;
    tag_ = -1;
    filter_.reset();
    first();
  }

  void close() {
    if (!data_) return;
    cancel();
    unlink();
    for (Cursor* detail : details_) detail->master_ = nullptr;
    details_.clear();
    current_.reset();
    std::shared_ptr<TableData> data = std::move(data_);
    if (data.use_count() == 1) data->finish();
  }

  bool isOpen() const { return data_ != nullptr; }

  TableData& data() const {
    if (!data_) throw support::Error("La tabla " + name_ + " no está abierta");
    return *data_;
  }

  // ---- order and visibility -------------------------------------------

  bool visible(std::uint32_t i) const {
    const TableData& d = *data_;
    if (d.deleted(i)) return false;
    if (filter_ && decodeText(d.fields()[static_cast<std::size_t>(filterField_)], d.layout().family,
                              d.fieldBytes(i, filterField_)) != filter_->value) {
      return false;
    }
    if (linkTag_ >= 0) {
      if (!master_ || !linkKey_) return false;
      return d.tagKey(data_->tags()[static_cast<std::size_t>(linkTag_)], d.record(i)) == *linkKey_;
    }
    return true;
  }

  // Where record i stands in the selected tag's order. A walk asks for the
  // record it stopped at last, so that place is remembered until the table
  // changes (a change may move or remove the entry).
  TagOrder::const_iterator positionInTag(std::uint32_t i) const {
    if (place_ && place_->record == i && place_->tag == tag_ && place_->version == data_->version()) {
      return place_->at;
    }
    const TagIndex& tag = data_->tags()[static_cast<std::size_t>(tag_)];
    return tag.order.find({data_->tagKey(tag, data_->record(i)), i});
  }

  std::uint32_t remember(TagOrder::const_iterator at) const {
    place_ = Place{at->second, tag_, data_->version(), at};
    return at->second;
  }

  std::optional<std::uint32_t> scanForward(std::optional<std::uint32_t> after) const {
    if (tag_ < 0) {
      for (std::uint32_t i = after ? *after + 1 : 0; i < data_->size(); ++i)
        if (visible(i)) return i;
      return std::nullopt;
    }
    const TagOrder& order = data_->tags()[static_cast<std::size_t>(tag_)].order;
    auto it = after ? std::next(positionInTag(*after)) : startOfRange(order);
    for (; it != order.end(); ++it) {
      if (visible(it->second)) return remember(it);
      if (tag_ == linkTag_ && linkKey_ && it->first != *linkKey_) break;  // left the master's range
    }
    return std::nullopt;
  }

  std::optional<std::uint32_t> scanBackward(std::optional<std::uint32_t> before) const {
    if (tag_ < 0) {
      for (std::uint32_t i = before ? *before : data_->size(); i > 0; --i)
        if (visible(i - 1)) return i - 1;
      return std::nullopt;
    }
    const TagOrder& order = data_->tags()[static_cast<std::size_t>(tag_)].order;
    auto it = before ? positionInTag(*before) : order.end();
    while (it != order.begin()) {
      --it;
      if (visible(it->second)) return remember(it);
    }
    return std::nullopt;
  }

  TagOrder::const_iterator startOfRange(const TagOrder& order) const {
    if (tag_ == linkTag_ && linkKey_) return order.lower_bound({*linkKey_, 0});
    return order.begin();
  }

  // ---- moves -------------------------------------------------------------

  void moveTo(std::optional<std::uint32_t> record) {
    current_ = record;
    for (Cursor* detail : details_) detail->masterMoved();
  }

  void masterMoved() {
    settle();
    refreshLinkKey();
    moveTo(scanForward(std::nullopt));
  }

  void first() {
    data();
    settle();
    moveTo(scanForward(std::nullopt));
  }
  void next() {
    data();
    settle();
    if (current_) moveTo(scanForward(current_));
  }
  void prior() {
    data();
    settle();
    const auto before = scanBackward(current_);
    if (before || !current_) moveTo(before);
  }
  void last() {
    data();
    settle();
    moveTo(scanBackward(std::nullopt));
  }

  // ---- reading and writing fields ----------------------------------------

  int field(std::string_view name) const {
    const int f = data().fieldIndex(name);
    if (f < 0)
      throw support::Error("Campo '" + std::string(name) + "' no encontrado en la tabla " +
                           data_->fileName());
    return f;
  }

  std::string_view bytes(int f) const {
    if (state_ != EditState::Browse) return data_->fieldBytes(buffer_, f);
    if (!current_) throw support::Error("No hay registro actual en la tabla " + data_->fileName());
    return data_->fieldBytes(*current_, f);
  }

  const FieldDef& def(int f) const { return data_->fields()[static_cast<std::size_t>(f)]; }
  DbfFamily family() const { return data_->layout().family; }

  template <typename Encode>
  void write(std::string_view name, Encode encode) {
    const int f = field(name);
    if (state_ == EditState::Browse) {
      throw support::Error("La tabla " + data_->fileName() + " no está en edición");
    }
    const std::string encoded = encode(def(f), family());
    buffer_.replace(data_->layout().offsets[static_cast<std::size_t>(f)], encoded.size(), encoded);
    modified_ = true;
  }

  // ---- editing -----------------------------------------------------------

  void requireWritable() const {
    data();
    if (options_.readOnly)
      throw support::Error("La tabla " + data_->fileName() + " está abierta solo para lectura");
  }

  void settle() {
    if (state_ == EditState::Browse) return;
    if (modified_) {
      post();
    } else {
      cancel();
    }
  }

  void append() {
    data();
    settle();
    requireWritable();
    buffer_ = data_->blankRecord();
    if (linkTag_ >= 0 && master_ && master_->current_) {
      // A new detail record belongs to the master's current record.
      const int f = data_->tags()[static_cast<std::size_t>(linkTag_)].field;
      const std::string value = master_->text(masterField_);
      const std::string encoded = encodeText(def(f), family(), value);
      buffer_.replace(data_->layout().offsets[static_cast<std::size_t>(f)], encoded.size(), encoded);
    }
    state_ = EditState::Insert;
    modified_ = false;
  }

  void edit() {
    data();
    if (state_ != EditState::Browse) return;
    if (!current_) return append();
    requireWritable();
    buffer_ = std::string(data_->record(*current_));
    state_ = EditState::Edit;
    modified_ = false;
  }

  void post() {
    if (state_ == EditState::Browse) return;
    requireWritable();
    if (state_ == EditState::Insert) {
      current_ = data_->append(buffer_);
    } else {
      data_->update(*current_, buffer_);
    }
    cancel();
    moveTo(current_);
  }

  void cancel() {
    state_ = EditState::Browse;
    buffer_.clear();
    modified_ = false;
  }

  void remove() {
    data();
    if (state_ == EditState::Insert) return cancel();
    cancel();
    if (!current_) throw support::Error("No hay registro actual en la tabla " + data_->fileName());
    requireWritable();
    const auto after = scanForward(current_);
    const auto before = after ? after : scanBackward(current_);
    data_->markDeleted(*current_);
    moveTo(before);
  }

  // ---- searching ---------------------------------------------------------

  void selectTag(std::string_view tag) {
    data();
    settle();
    if (tag.empty()) {
      tag_ = -1;
    } else {
      tag_ = usableTag(tag);
    }
  }

  int usableTag(std::string_view tag) const {
    const int t = data_->tagIndex(tag);
    if (t < 0)
      throw support::Error("No existe el índice " + std::string(tag) + " en la tabla " + data_->fileName());
    if (data_->tags()[static_cast<std::size_t>(t)].field < 0) {
      throw support::Error("El índice " + std::string(tag) + " de la tabla " + data_->fileName() +
                           " no se puede usar (no es un índice ascendente sobre un campo)");
    }
    return t;
  }

  bool findEncoded(const std::string& fieldBytes) {
    const TagIndex& tag = data_->tags()[static_cast<std::size_t>(tag_)];
    const std::string key = sortKey(def(tag.field), family(), fieldBytes);
    for (auto it = tag.order.lower_bound({key, 0}); it != tag.order.end() && it->first == key; ++it) {
      if (visible(it->second)) {
        moveTo(remember(it));
        return true;
      }
    }
    return false;
  }

  const TagIndex& selectedTag() const {
    if (tag_ < 0) throw support::Error("No hay índice seleccionado en la tabla " + data().fileName());
    return data_->tags()[static_cast<std::size_t>(tag_)];
  }

  bool findKey(std::string_view key) {
    const TagIndex& tag = selectedTag();
    settle();
    return findEncoded(encodeText(def(tag.field), family(), key));
  }

  bool findKey(std::int32_t key) {
    const TagIndex& tag = selectedTag();
    settle();
    return findEncoded(encodeInteger(def(tag.field), family(), key));
  }

  bool locate(std::string_view fieldList, const std::vector<std::string>& values) {
    data();
    settle();
    const std::vector<std::string> names = splitFields(fieldList);
    if (names.size() != values.size()) {
      throw support::Error("Búsqueda en la tabla " + data_->fileName() + ": " + std::to_string(names.size()) +
                           " campos y " + std::to_string(values.size()) + " valores");
    }
    std::vector<int> fields;
    std::vector<std::string> wanted;
    for (std::size_t k = 0; k < names.size(); ++k) {
      const int f = field(names[k]);
      fields.push_back(f);
      wanted.push_back(valueAsRead(def(f), values[k]));
    }
    std::optional<std::uint32_t> best;
    std::string bestKey;
    for (std::uint32_t i : data_->matching(fields, wanted)) {
      if (!visible(i)) continue;
      if (tag_ < 0) {
        best = i;  // hits are ascending: the first visible one comes first
        break;
      }
      std::string key = data_->tagKey(data_->tags()[static_cast<std::size_t>(tag_)], data_->record(i));
      if (!best || key < bestKey) {
        best = i;
        bestKey = std::move(key);
      }
    }
    if (!best) return false;
    moveTo(best);
    return true;
  }

  // How a searched value would read back once stored: trailing blanks never
  // survive in a character field, and numbers read in one canonical form.
  std::string valueAsRead(const FieldDef& f, std::string_view value) const {
    if (f.type == FieldType::Character) {
      while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
      return std::string(value);
    }
    try {
      return decodeText(f, family(), encodeText(f, family(), value));
    } catch (const support::Error&) {
      return std::string(1, '\0');  // matches nothing: no stored value reads with a NUL
    }
  }

  void setFilter(std::optional<Filter> filter) {
    data();
    settle();
    if (filter) filterField_ = field(filter->field);
    filter_ = std::move(filter);
    moveTo(scanForward(std::nullopt));
  }

  void linkTo(Cursor& master, std::string masterField, std::string detailTag) {
    data();
    master.field(masterField);  // the field must exist
    settle();
    unlink();
    linkTag_ = usableTag(detailTag);
    tag_ = linkTag_;
    master_ = &master;
    masterField_ = std::move(masterField);
    master.details_.push_back(this);
    refreshLinkKey();
    moveTo(scanForward(std::nullopt));
  }

  void unlink() {
    if (master_) {
      auto& siblings = master_->details_;
      siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    master_ = nullptr;
    linkTag_ = -1;
    linkKey_.reset();
  }

  void refreshLinkKey() {
    linkKey_.reset();
    if (!master_ || !master_->data_ || (!master_->current_ && master_->state_ == EditState::Browse)) return;
    const int f = data_->tags()[static_cast<std::size_t>(linkTag_)].field;
    linkKey_ = sortKey(def(f), family(), encodeText(def(f), family(), master_->text(masterField_)));
  }

  std::string text(std::string_view name) const {
    const int f = field(name);
    return decodeText(def(f), family(), bytes(f));
  }

  // ---- state ---------------------------------------------------------------

  fs::path folder_;
  std::string name_;
  std::vector<FieldDef> fieldDefs_;
  std::vector<TagDef> tagDefs_;
  std::shared_ptr<TableData> data_;
  OpenOptions options_;
  int tag_ = -1;
  std::optional<std::uint32_t> current_;
  EditState state_ = EditState::Browse;
  std::string buffer_;
  bool modified_ = false;
  std::optional<Filter> filter_;
  int filterField_ = -1;
  Cursor* master_ = nullptr;
  std::string masterField_;
  int linkTag_ = -1;
  std::optional<std::string> linkKey_;
  std::vector<Cursor*> details_;
  struct Place {
    std::uint32_t record;
    int tag;
    std::uint64_t version;
    TagOrder::const_iterator at;
  };
  mutable std::optional<Place> place_;
};

Table::Table(fs::path folder, std::string name)
    : cursor_(std::make_unique<Cursor>(std::move(folder), std::move(name))) {}
Table::~Table() = default;
Table::Table(Table&&) noexcept = default;
Table& Table::operator=(Table&&) noexcept = default;

const std::string& Table::name() const { return cursor_->name_; }
fs::path Table::dbfPath() const { return cursor_->dbfPath(); }
bool Table::exists() const { return fs::is_regular_file(dbfPath()); }
void Table::defineFields(std::vector<FieldDef> fields) { cursor_->fieldDefs_ = std::move(fields); }
void Table::defineTags(std::vector<TagDef> tags) { cursor_->tagDefs_ = std::move(tags); }
void Table::create() { cursor_->create(); }
void Table::open(OpenOptions options) { cursor_->open(options); }
void Table::close() { cursor_->close(); }
bool Table::isOpen() const { return cursor_->isOpen(); }
const std::vector<FieldDef>& Table::fields() const { return cursor_->data().fields(); }
bool Table::hasField(std::string_view field) const { return cursor_->data().fieldIndex(field) >= 0; }
const std::vector<TagDef>& Table::tags() const { return cursor_->data().tagDefs(); }

void Table::first() { cursor_->first(); }
void Table::next() { cursor_->next(); }
void Table::prior() { cursor_->prior(); }
void Table::last() { cursor_->last(); }
bool Table::atEnd() const { return cursor_->state_ != EditState::Insert && !cursor_->current_; }
int Table::recordCount() const { return cursor_->data().liveCount(); }
std::uint32_t Table::recordNumber() const {
  return cursor_->current_ && cursor_->state_ != EditState::Insert ? *cursor_->current_ + 1 : 0;
}

std::string Table::text(std::string_view field) const { return cursor_->text(field); }
std::int32_t Table::integer(std::string_view field) const {
  const int f = cursor_->field(field);
  return decodeInteger(cursor_->def(f), cursor_->family(), cursor_->bytes(f));
}
bool Table::boolean(std::string_view field) const {
  const int f = cursor_->field(field);
  return decodeBoolean(cursor_->def(f), cursor_->family(), cursor_->bytes(f));
}
double Table::number(std::string_view field) const {
  const int f = cursor_->field(field);
  return decodeNumber(cursor_->def(f), cursor_->family(), cursor_->bytes(f));
}

void Table::setText(std::string_view field, std::string_view value) {
  cursor_->write(field, [&](const FieldDef& f, DbfFamily family) { return encodeText(f, family, value); });
}
void Table::setInteger(std::string_view field, std::int32_t value) {
  cursor_->write(field, [&](const FieldDef& f, DbfFamily family) { return encodeInteger(f, family, value); });
}
void Table::setBoolean(std::string_view field, bool value) {
  cursor_->write(field, [&](const FieldDef& f, DbfFamily family) { return encodeBoolean(f, family, value); });
}
void Table::setNumber(std::string_view field, double value) {
  cursor_->write(field, [&](const FieldDef& f, DbfFamily family) { return encodeNumber(f, family, value); });
}
void Table::setValue(std::string_view field, const Value& value) {
  std::visit(
      [&](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>) setText(field, v);
        if constexpr (std::is_same_v<T, std::int32_t>) setInteger(field, v);
        if constexpr (std::is_same_v<T, bool>) setBoolean(field, v);
        if constexpr (std::is_same_v<T, double>) setNumber(field, v);
      },
      value);
}

EditState Table::state() const { return cursor_->state_; }
void Table::append() { cursor_->append(); }
void Table::appendRecord(const std::vector<Value>& values) {
  const auto& defs = fields();
  if (values.size() > defs.size()) {
    throw support::Error("Demasiados valores para la tabla " + cursor_->data_->fileName());
  }
  append();
  for (std::size_t i = 0; i < values.size(); ++i) setValue(defs[i].name, values[i]);
  post();
}
void Table::edit() { cursor_->edit(); }
void Table::post() { cursor_->post(); }
void Table::cancel() { cursor_->cancel(); }
void Table::remove() { cursor_->remove(); }

void Table::selectTag(std::string_view tag) { cursor_->selectTag(tag); }
const std::string& Table::selectedTag() const {
  static const std::string kNone;
  return cursor_->tag_ < 0 ? kNone : cursor_->data_->tagDefs()[static_cast<std::size_t>(cursor_->tag_)].name;
}
bool Table::findKey(std::string_view key) { return cursor_->findKey(key); }
bool Table::findKey(std::int32_t key) { return cursor_->findKey(key); }
bool Table::locate(std::string_view fields, const std::vector<std::string>& values) {
  return cursor_->locate(fields, values);
}

void Table::setFilter(std::optional<Filter> filter) { cursor_->setFilter(std::move(filter)); }
void Table::linkTo(Table& master, std::string masterField, std::string detailTag) {
  cursor_->linkTo(*master.cursor_, std::move(masterField), std::move(detailTag));
}
void Table::unlink() { cursor_->unlink(); }

Bookmark Table::bookmark() const { return {cursor_->current_ ? *cursor_->current_ + 1 : 0}; }
void Table::gotoBookmark(Bookmark mark) {
  Cursor& c = *cursor_;
  c.data();
  c.settle();
  if (mark.record == 0 || mark.record > c.data_->size() || !c.visible(mark.record - 1)) {
    throw support::Error("Marca de registro no válida en la tabla " + c.data_->fileName());
  }
  c.moveTo(mark.record - 1);
}

Table recreateTable(const fs::path& folder, const TableDef& def) {
  Table table(folder, def.name);
  table.defineFields(def.fields);
  table.defineTags(def.tags);
  table.create();
  table.open();
  return table;
}

bool tableExists(const fs::path& folder, std::string_view name) {
  return Table(folder, std::string(name)).exists();
}

}  // namespace dbase
