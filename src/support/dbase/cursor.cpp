#include "support/dbase/cursor.h"

#include <utility>

#include "support/dbase/table_data.h"
#include "support/error.h"
#include "support/file_system.h"
#include "support/text.h"

namespace dbase {
namespace fs = std::filesystem;

namespace {

std::string baseName(std::string name) {
  if (name.size() > 4 && support::upperAscii(name.substr(name.size() - 4)) == ".DBF") {
    name.resize(name.size() - 4);
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

Cursor::Cursor(fs::path folder, std::string name)
    : folder_(std::move(folder)), name_(baseName(std::move(name))), link_(*this) {}

Cursor::~Cursor() {
  try {
    close();
  } catch (...) {
    // A destructor cannot report; close() explicitly to see the error.
  }
}

fs::path Cursor::dbfPath() const {
  const std::string file = name_ + ".DBF";
  return support::findNoCase(folder_, file).value_or(folder_ / file);
}

void Cursor::open(OpenOptions options) {
  if (data_) return;
  data_ = TableData::acquire(dbfPath(), options.exclusive);
  if (!options.readOnly) data_->noteWriter();
  options_ = options;
  scope_ = {};
  located_ = {};
  first();
}

void Cursor::close() {
  if (!data_) return;
  cancel();
  unlink();
  for (Cursor* detail : link_.details()) detail->masterClosed();
  link_.releaseDetails();
  current_.reset();
  followPending_ = false;
  std::shared_ptr<TableData> data = std::move(data_);
  if (data.use_count() == 1) data->finish();
}

TableData& Cursor::data() const {
  if (!data_) throw support::Error("La tabla " + name_ + " no está abierta");
  return *data_;
}

// ---- moves -----------------------------------------------------------------

void Cursor::moveTo(std::optional<std::uint32_t> record) {
  current_ = record;
  for (std::size_t i = 0; i < link_.detailCount(); ++i) link_.detail(i).masterMoved();
}

// A detail settles its pending record when its master moves, but finds its
// first record of the master's new key only when it is next used: walking a
// master record by record (as the coding editor does to copy a teacher's
// document) then costs no search in its details.
void Cursor::masterMoved() {
  settle();
  followPending_ = true;
  for (std::size_t i = 0; i < link_.detailCount(); ++i) link_.detail(i).masterMoved();
}

void Cursor::followMaster() const {
  // Handles live behind Table and are never const objects themselves: a
  // const reader may bring the position up to date.
  Cursor& self = const_cast<Cursor&>(*this);
  self.followPending_ = false;
  self.refreshLinkKey();
  self.current_ = self.order_.after(*data_, scope_, std::nullopt);
}

bool Cursor::atEnd() const {
  follow();
  return state_ != EditState::Insert && !current_;
}

std::optional<std::uint32_t> Cursor::currentRecord() const {
  follow();
  return current_;
}

// The master is closing: nothing is shown until the detail is linked again.
void Cursor::masterClosed() {
  follow();
  scope_.linkKey.reset();
}

void Cursor::first() {
  data();
  follow();
  settle();
  moveTo(order_.after(*data_, scope_, std::nullopt));
}

void Cursor::next() {
  data();
  follow();
  settle();
  if (current_) moveTo(order_.after(*data_, scope_, current_));
}

void Cursor::prior() {
  data();
  follow();
  settle();
  const auto before = order_.before(*data_, scope_, current_);
  if (before || !current_) moveTo(before);
}

void Cursor::last() {
  data();
  follow();
  settle();
  moveTo(order_.before(*data_, scope_, std::nullopt));
}

void Cursor::gotoBookmark(Bookmark mark) {
  data();
  follow();
  settle();
  if (mark.record == 0 || mark.record > data_->size() || !order_.shows(*data_, scope_, mark.record - 1)) {
    throw support::Error("Marca de registro no válida en la tabla " + data_->fileName());
  }
  moveTo(mark.record - 1);
}

// ---- fields ----------------------------------------------------------------

int Cursor::fieldIndex(std::string_view name) const {
  const int f = data().fieldIndex(name);
  if (f < 0)
    throw support::Error("Campo '" + std::string(name) + "' no encontrado en la tabla " + data_->fileName());
  return f;
}

const FieldDef& Cursor::def(int f) const { return data_->fields()[static_cast<std::size_t>(f)]; }

Cursor::FieldRead Cursor::read(std::string_view field) const { return read(fieldIndex(field)); }

void Cursor::noSuchField(int f) const {
  throw support::Error("Campo número " + std::to_string(f) + " no encontrado en la tabla " +
                       data().fileName());
}

void Cursor::noCurrentRecord() const {
  throw support::Error("No hay registro actual en la tabla " + data_->fileName());
}

std::string Cursor::text(std::string_view field) const {
  const FieldRead r = read(field);
  return decodeText(r.def, r.family, r.bytes);
}

void Cursor::notEditing() const {
  throw support::Error("La tabla " + data_->fileName() + " no está en edición");
}

void Cursor::store(int f, const std::string& encoded) {
  buffer_.replace(data_->layout().offsets[static_cast<std::size_t>(f)], encoded.size(), encoded);
  modified_ = true;
}

// ---- editing ---------------------------------------------------------------

void Cursor::requireWritable() const {
  data();
  if (options_.readOnly)
    throw support::Error("La tabla " + data_->fileName() + " está abierta solo para lectura");
}

void Cursor::settle() {
  if (state_ == EditState::Browse) return;
  if (modified_) {
    post();
  } else {
    cancel();
  }
}

void Cursor::append() {
  data();
  follow();
  settle();
  requireWritable();
  buffer_.assign(data_->blankRecord());  // into the buffer's memory: a record at a time, no allocation
  state_ = EditState::Insert;
  Cursor* master = link_.master();
  if (scope_.linkTag >= 0 && master && master->currentRecord()) {
    // A new detail record belongs to the master's current record.
    const int f = data_->tags()[static_cast<std::size_t>(scope_.linkTag)].field;
    store(f, encodeText(def(f), family(), master->text(link_.masterField())));
  }
  modified_ = false;
}

void Cursor::edit() {
  data();
  follow();
  if (state_ != EditState::Browse) return;
  if (!current_) return append();
  requireWritable();
  buffer_.assign(data_->record(*current_));
  state_ = EditState::Edit;
  modified_ = false;
}

void Cursor::post() {
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

void Cursor::cancel() {
  state_ = EditState::Browse;
  buffer_.clear();
  modified_ = false;
}

void Cursor::remove() {
  data();
  follow();
  if (state_ == EditState::Insert) return cancel();
  cancel();
  if (!current_) noCurrentRecord();
  requireWritable();
  const auto after = order_.after(*data_, scope_, current_);
  const auto before = after ? after : order_.before(*data_, scope_, current_);
  data_->markDeleted(*current_);
  moveTo(before);
}

// ---- order and searching ---------------------------------------------------

void Cursor::selectTag(std::string_view tag) {
  data();
  follow();
  settle();
  scope_.tag = tag.empty() ? -1 : usableTag(tag);
}

const std::string& Cursor::selectedTag() const {
  static const std::string kNone;
  return scope_.tag < 0 ? kNone : data_->tagDefs()[static_cast<std::size_t>(scope_.tag)].name;
}

int Cursor::usableTag(std::string_view tag) const {
  const int t = data_->tagIndex(tag);
  if (t < 0)
    throw support::Error("No existe el índice " + std::string(tag) + " en la tabla " + data_->fileName());
  if (data_->tags()[static_cast<std::size_t>(t)].field < 0) {
    throw support::Error("El índice " + std::string(tag) + " de la tabla " + data_->fileName() +
                         " no se puede usar (no es un índice ascendente sobre un campo)");
  }
  return t;
}

int Cursor::selectedTagIndex() const {
  if (scope_.tag < 0) throw support::Error("No hay índice seleccionado en la tabla " + data().fileName());
  return scope_.tag;
}

bool Cursor::findEncoded(const std::string& fieldBytes) {
  const TagIndex& tag = data_->tags()[static_cast<std::size_t>(scope_.tag)];
  const auto found = order_.firstWithKey(*data_, scope_, sortKey(def(tag.field), family(), fieldBytes));
  if (!found) return false;
  moveTo(found);
  return true;
}

bool Cursor::findKey(std::string_view key) {
  const int f = data_->tags()[static_cast<std::size_t>(selectedTagIndex())].field;
  follow();
  settle();
  return findEncoded(encodeText(def(f), family(), key));
}

bool Cursor::findKey(std::int32_t key) {
  const int f = data_->tags()[static_cast<std::size_t>(selectedTagIndex())].field;
  follow();
  settle();
  return findEncoded(encodeInteger(def(f), family(), key));
}

bool Cursor::locate(std::string_view fieldList, const std::vector<std::string>& values) {
  data();
  follow();
  settle();
  if (fieldList != located_.fieldList) {
    located_.fields.clear();
    for (const std::string& name : splitFields(fieldList)) located_.fields.push_back(fieldIndex(name));
    located_.fieldList = fieldList;
  }
  const std::vector<int>& fields = located_.fields;
  if (fields.size() != values.size()) {
    throw support::Error("Búsqueda en la tabla " + data_->fileName() + ": " + std::to_string(fields.size()) +
                         " campos y " + std::to_string(values.size()) + " valores");
  }
  located_.values.resize(values.size());
  for (std::size_t k = 0; k < fields.size(); ++k) valueAsRead(def(fields[k]), values[k], located_.values[k]);
  // Only the records holding the values are tested: the first shown in the
  // view's order wins.
  std::optional<std::uint32_t> best;
  std::string bestKey;
  for (std::uint32_t i : data_->matching(fields, located_.values)) {
    if (!order_.shows(*data_, scope_, i)) continue;
    if (scope_.tag < 0) {
      best = i;  // hits are ascending: the first shown one comes first
      break;
    }
    std::string key = data_->tagKey(data_->tags()[static_cast<std::size_t>(scope_.tag)], data_->record(i));
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
void Cursor::valueAsRead(const FieldDef& f, std::string_view value, std::string& read) const {
  if (f.type == FieldType::Character) {
    while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    read.assign(value);
    return;
  }
  try {
    read = decodeText(f, family(), encodeText(f, family(), value));
  } catch (const support::Error&) {
    read.assign(1, '\0');  // matches nothing: no stored value reads with a NUL
  }
}

void Cursor::setFilter(std::optional<Filter> filter) {
  data();
  follow();
  settle();
  scope_.filterField = filter ? fieldIndex(filter->field) : -1;
  scope_.filterValue = filter ? std::move(filter->value) : std::string();
  moveTo(order_.after(*data_, scope_, std::nullopt));
}

// ---- the master/detail link ------------------------------------------------

void Cursor::linkTo(Cursor& master, std::string masterField, std::string detailTag) {
  data();
  master.fieldIndex(masterField);  // the field must exist
  follow();
  settle();
  unlink();
  scope_.linkTag = usableTag(detailTag);
  scope_.tag = scope_.linkTag;
  link_.follow(master.link_, std::move(masterField));
  refreshLinkKey();
  moveTo(order_.after(*data_, scope_, std::nullopt));
}

void Cursor::unlink() {
  follow();
  link_.leave();
  scope_.linkTag = -1;
  scope_.linkKey.reset();
}

// The key of the master's current (or pending) record; none when the master
// stands past its end.
void Cursor::refreshLinkKey() {
  scope_.linkKey.reset();
  const Cursor* master = link_.master();
  if (master) master->follow();
  if (!master || !master->data_ || (!master->current_ && master->state_ == EditState::Browse)) return;
  const int f = data_->tags()[static_cast<std::size_t>(scope_.linkTag)].field;
  scope_.linkKey = sortKey(def(f), family(), encodeText(def(f), family(), master->text(link_.masterField())));
}

}  // namespace dbase
