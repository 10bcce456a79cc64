// A data-aware grid: a table view over a TableModel with the columns' widths
// in characters, the current row kept on the table handle's current record,
// and the framework grid's options: fixed leading columns drawn like the
// header, tinted alternate rows, scroll bars on or off, and Ctrl+Del to
// delete the current row after a confirmation.
#pragma once

#include <QTableView>

#include <functional>

namespace app::gui {

class TableModel;

struct GridOptions {
  int fixedColumns = 0;
  bool alternateRows = false;
  bool verticalScrollBar = true;
  bool horizontalScrollBar = true;
  // Asked before Ctrl+Del deletes the current row; unset: rows cannot be
  // deleted from the grid.
  std::function<bool()> confirmDelete;
};

class DataGrid : public QTableView {
  Q_OBJECT

 public:
  DataGrid(TableModel* model, GridOptions options, QWidget* parent);

  TableModel* tableModel() const { return m_model; }
  // Reads the rows again and shows the handle's current record as current.
  void reload();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void sizeColumns();
  int startColumn(int previous) const;

  TableModel* m_model;
  GridOptions m_options;
  bool m_reloading = false;
};

}  // namespace app::gui
