#include "app/gui/table_model.h"

#include <exception>
#include <utility>

#include "support/cp1252.h"

namespace app::gui {

TableModel::TableModel(std::vector<ColumnSpec> columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns)) {}

void TableModel::setTable(dbase::Table* table) {
  m_table = table;
  reload();
}

void TableModel::reload() {
  std::vector<Row> rows;
  std::optional<QString> problem;
  try {
    const bool open = m_table && m_table->isOpen();
    // A detail whose master stands past its end shows no records.
    if (open && !(m_link && m_link->master->atEnd())) {
      dbase::Table reader(m_table->dbfPath().parent_path(), m_table->name());
      reader.open({.exclusive = false, .readOnly = true});
      reader.selectTag(m_table->selectedTag());
      if (m_link)
        reader.setFilter(dbase::Filter{m_link->detailField, m_link->master->text(m_link->masterField)});
      const bool editing = m_table->state() == dbase::EditState::Edit;
      for (reader.first(); !reader.atEnd(); reader.next()) {
        Row row{reader.bookmark(), {}};
        // The record being edited shows what was typed but not yet posted.
        if (editing && row.record == m_table->bookmark()) {
          row.values = currentValues();
        } else {
          for (const ColumnSpec& column : m_columns) row.values.push_back(reader.text(column.field));
        }
        rows.push_back(std::move(row));
      }
      if (m_table->state() == dbase::EditState::Insert) rows.push_back({std::nullopt, currentValues()});
    }
  } catch (const std::exception& error) {
    rows.clear();
    problem = QString::fromStdString(error.what());
  }
  beginResetModel();
  m_rows = std::move(rows);
  endResetModel();
  if (problem) emit errorOccurred(*problem);
}

void TableModel::mirrorLink(const dbase::Table& master, std::string masterField, std::string detailField) {
  m_link = Link{&master, std::move(masterField), std::move(detailField)};
}

std::vector<std::string> TableModel::currentValues() const {
  std::vector<std::string> values;
  for (const ColumnSpec& column : m_columns) values.push_back(m_table->text(column.field));
  return values;
}

int TableModel::fieldWidth(int column) const {
  if (!m_table || !m_table->isOpen()) return 0;
  for (const dbase::FieldDef& field : m_table->fields()) {
    if (field.name == m_columns.at(static_cast<std::size_t>(column)).field) return field.width;
  }
  return 0;
}

int TableModel::currentRow() const {
  if (!m_table || !m_table->isOpen()) return -1;
  const bool pending = m_table->state() == dbase::EditState::Insert;
  if (!pending && m_table->atEnd()) return -1;
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    const bool match = pending ? !m_rows[i].record : m_rows[i].record == m_table->bookmark();
    if (match) return static_cast<int>(i);
  }
  return -1;
}

bool TableModel::moveTo(int row) {
  const Row& target = m_rows.at(static_cast<std::size_t>(row));
  // A pending new record is current for as long as it is pending.
  if (!target.record) return true;
  const bool pending = m_table->state() == dbase::EditState::Insert;
  if (!pending && !m_table->atEnd() && m_table->bookmark() == *target.record) return true;
  m_table->gotoBookmark(*target.record);
  return false;
}

void TableModel::setCurrentRow(int row) {
  if (!m_table || !m_table->isOpen() || row < 0 || row >= rowCount()) return;
  const bool pending = m_table->state() == dbase::EditState::Insert;
  try {
    // Leaving a pending record posts or drops it: the rows change.
    if (!moveTo(row) && pending) reload();
  } catch (const std::exception& error) {
    reportError(error);
  }
}

int TableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  const std::string& value =
      m_rows.at(static_cast<std::size_t>(index.row())).values.at(static_cast<std::size_t>(index.column()));
  return QString::fromStdString(support::cp1252ToUtf8(value));
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return m_columns.at(static_cast<std::size_t>(section)).header;
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (m_columns.at(static_cast<std::size_t>(index.column())).editable) flags |= Qt::ItemIsEditable;
  return flags;
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable) || !m_table)
    return false;
  const int row = index.row();
  try {
    // Moving away from a pending record posts or drops it: the rows change.
    const bool leavesPending = m_table->state() == dbase::EditState::Insert && m_rows.at(row).record;
    moveTo(row);
    if (m_table->state() == dbase::EditState::Browse) m_table->edit();
    const std::string& field = m_columns.at(static_cast<std::size_t>(index.column())).field;
    m_table->setText(field, support::utf8ToCp1252(value.toString().toStdString()));
    m_table->post();
    if (leavesPending) {
      reload();
    } else {
      // The value as stored (cut to the field's width), and the new record's
      // place once a pending record has been posted.
      m_rows.at(row) = {m_table->bookmark(), currentValues()};
      emit dataChanged(this->index(row, 0), this->index(row, columnCount() - 1));
    }
    return true;
  } catch (const std::exception& error) {
    reportError(error);
    return false;
  }
}

bool TableModel::removeRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || !m_table || row < 0 || count < 1 || row + count > rowCount()) return false;
  bool removed = true;
  try {
    for (int i = 0; i < count; ++i) {
      // Bookmarks are physical record numbers: removing one leaves the others valid.
      if (m_rows.at(row + i).record) {
        moveTo(row + i);
        m_table->remove();
      } else {
        m_table->cancel();
      }
    }
  } catch (const std::exception& error) {
    reportError(error);
    removed = false;
  }
  reload();
  return removed;
}

void TableModel::reportError(const std::exception& error) {
  emit errorOccurred(QString::fromStdString(error.what()));
}

}  // namespace app::gui
