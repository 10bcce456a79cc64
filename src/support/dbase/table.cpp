#include "support/dbase/table.h"

#include <system_error>
#include <utility>

#include "support/dbase/cursor.h"
#include "support/dbase/table_creation.h"
#include "support/dbase/table_data.h"
#include "support/dbase/view_order.h"
#include "support/error.h"

namespace dbase {
namespace fs = std::filesystem;

Table::Table(fs::path folder, std::string name)
    : cursor_(std::make_unique<Cursor>(std::move(folder), std::move(name))) {}
Table::~Table() = default;
Table::Table(Table&&) noexcept = default;
Table& Table::operator=(Table&&) noexcept = default;

const std::string& Table::name() const { return cursor_->name(); }
fs::path Table::dbfPath() const { return cursor_->dbfPath(); }
bool Table::exists() const {
  std::error_code ec;  // an unreadable folder holds no table we can open
  return fs::is_regular_file(dbfPath(), ec);
}
void Table::defineFields(std::vector<FieldDef> fields) { fieldDefs_ = std::move(fields); }
void Table::defineTags(std::vector<TagDef> tags) { tagDefs_ = std::move(tags); }
void Table::create() {
  if (cursor_->isOpen())
    throw support::Error("La tabla " + name() + " está abierta y no se puede crear de nuevo");
  createTable(cursor_->folder(), name(), fieldDefs_, tagDefs_);
}
void Table::open(OpenOptions options) { cursor_->open(options); }
void Table::close() { cursor_->close(); }
bool Table::isOpen() const { return cursor_->isOpen(); }
const std::vector<FieldDef>& Table::fields() const { return cursor_->data().fields(); }
const std::vector<TagDef>& Table::tags() const { return cursor_->data().tagDefs(); }

void Table::first() { cursor_->first(); }
void Table::next() { cursor_->next(); }
void Table::prior() { cursor_->prior(); }
void Table::last() { cursor_->last(); }
bool Table::atEnd() const { return cursor_->atEnd(); }
int Table::recordCount() const { return cursor_->data().liveCount(); }
std::uint32_t Table::recordNumber() const {
  const auto record = cursor_->currentRecord();
  return record && cursor_->state() != EditState::Insert ? *record + 1 : 0;
}

int Table::fieldNumber(std::string_view field) const { return cursor_->fieldIndex(field); }

std::string Table::text(std::string_view field) const { return cursor_->text(field); }
std::string Table::text(int field) const {
  const Cursor::FieldRead r = cursor_->read(field);
  return decodeText(r.def, r.family, r.bytes);
}
std::string_view Table::characters(int field) const {
  const Cursor::FieldRead r = cursor_->read(field);
  if (r.def.type != FieldType::Character) {
    throw support::Error("El campo '" + r.def.name + "' de la tabla " + cursor_->data().fileName() +
                         " no es de caracteres");
  }
  return characterValue(r.bytes);
}
std::int32_t Table::integer(std::string_view field) const { return integer(cursor_->fieldIndex(field)); }
std::int32_t Table::integer(int field) const {
  const Cursor::FieldRead r = cursor_->read(field);
  return decodeInteger(r.def, r.family, r.bytes);
}
bool Table::boolean(std::string_view field) const {
  const Cursor::FieldRead r = cursor_->read(field);
  return decodeBoolean(r.def, r.family, r.bytes);
}
double Table::number(std::string_view field) const {
  const Cursor::FieldRead r = cursor_->read(field);
  return decodeNumber(r.def, r.family, r.bytes);
}

void Table::setText(std::string_view field, std::string_view value) {
  cursor_->writeText(cursor_->fieldIndex(field), value);
}
void Table::setText(int field, std::string_view value) { cursor_->writeText(field, value); }
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

EditState Table::state() const { return cursor_->state(); }
void Table::append() { cursor_->append(); }
void Table::appendRecord(const std::vector<Value>& values) {
  const auto& defs = fields();
  if (values.size() > defs.size()) {
    throw support::Error("Demasiados valores para la tabla " + cursor_->data().fileName());
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
const std::string& Table::selectedTag() const { return cursor_->selectedTag(); }
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

Bookmark Table::bookmark() const {
  const auto record = cursor_->currentRecord();
  return {record ? *record + 1 : 0};
}
void Table::gotoBookmark(Bookmark mark) { cursor_->gotoBookmark(mark); }

WriteBatch::WriteBatch(Table& table) : data_(table.cursor_->sharedData()) { data_.lock()->beginBatch(); }

WriteBatch::~WriteBatch() {
  try {
    commit();
  } catch (...) {
    // A destructor cannot report; the table refuses further changes.
  }
}

void WriteBatch::commit() {
  // A table closed meanwhile by its last handle wrote everything then.
  if (const std::shared_ptr<TableData> data = std::exchange(data_, {}).lock()) data->endBatch();
}

std::uint64_t recordsTested() { return ViewOrder::recordsTested(); }

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
