// A grid's view of one open dBase table handle: one row per record in the
// handle's order, plus the handle's pending new record when it has one, and
// the columns given as ColumnSpecs. The model only translates: values are
// Windows-1252 bytes in the table and QStrings on screen. An edit moves the
// handle to its row, edits the field and posts at once, so the file holds
// every value typed. The handle's current record is the grid's current row
// and back (the flow reads the chosen row from the handle).
//
// The rows are read again by reload() only; the owner calls it whenever the
// handle may have changed under the model (opened, closed, walked, rebuilt).
// Reading goes through a second, read-only handle on the same table, so
// reloading never moves the owner's handle nor posts its pending record. That
// handle cannot see a detail link of the owner's; mirrorLink tells the model
// about it.
//
// An error of the table engine ends the edit and is reported through
// errorOccurred(text); the model never shows anything itself.
#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "support/dbase/table.h"

namespace app::gui {

struct ColumnSpec {
  std::string field;
  QString header;
  int widthChars = 0;  // the column's width on screen, in characters
  bool editable = false;
};

class TableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  TableModel(std::vector<ColumnSpec> columns, QObject* parent);

  // The handle shown (nullptr: none, no rows). The handle must outlive the
  // model or be unset first.
  void setTable(dbase::Table* table);
  // Reads every row again from the table.
  void reload();
  // The handle is a detail of master (dbase::Table::linkTo): only the rows
  // whose detailField equals master's current masterField are shown, none
  // while master is past its end. master must outlive the model.
  void mirrorLink(const dbase::Table& master, std::string masterField, std::string detailField);

  const std::vector<ColumnSpec>& columns() const { return m_columns; }
  // The width in bytes of the column's field; 0 when unknown.
  int fieldWidth(int column) const;

  // The row of the handle's current (or pending) record; -1 for none.
  int currentRow() const;
  // Moves the handle to row, posting its pending record first.
  void setCurrentRow(int row);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

 signals:
  void errorOccurred(const QString& text);

 private:
  struct Row {
    std::optional<dbase::Bookmark> record;  // nullopt: the pending new record
    std::vector<std::string> values;        // Windows-1252, one per column
  };

  std::vector<std::string> currentValues() const;
  // Moves the handle to row; true when it was already there.
  bool moveTo(int row);
  void reportError(const std::exception& error);

  struct Link {
    const dbase::Table* master;
    std::string masterField;
    std::string detailField;
  };

  std::vector<ColumnSpec> m_columns;
  dbase::Table* m_table = nullptr;
  std::optional<Link> m_link;
  std::vector<Row> m_rows;
};

}  // namespace app::gui
