// A data-aware grid: a table view over a TableModel with the columns' widths
// in characters, the current row kept on the table handle's current record,
// and the framework grid's options: fixed leading columns drawn like the
// titles, which stay in place while the others scroll sideways and never take
// the cursor; titles on several lines, with a common title over the editable
// columns; tinted alternate rows; Enter moving to the next cell; scroll bars
// on or off; and Ctrl+Del to delete the current row after a confirmation.
// Typing in a cell that cannot be edited does nothing (no search by the
// first letters, which would move the cursor away).
#pragma once

#include <QString>
#include <QTableView>

#include <functional>

namespace app::gui {

class GridHeader;
class TableModel;

struct GridOptions {
  int fixedColumns = 0;
  bool alternateRows = false;
  bool verticalScrollBar = true;
  bool horizontalScrollBar = true;
  // Lines of the column titles; long titles wrap at blanks.
  int titleLines = 1;
  // Drawn above the titles of the editable columns (the titles then take
  // two lines).
  QString editableColumnsTitle;
  // Enter, also after typing a value, goes to the next cell as Tab does.
  bool enterMovesToNextCell = false;
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
  // Ends the edit of the current cell: keeps (commit) or drops what was
  // typed. Nothing happens when no cell is being edited.
  void finishEditing(bool commit);
  // The cell after the current one, by rows; the current one at the end.
  void moveToNextCell();
  void keyboardSearch(const QString&) override {}

 signals:
  // The user (or a navigator) moved to another row; the handle is on it.
  void rowChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 protected slots:
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  GridHeader* makeHeader();
  void buildFixedView();
  void placeFixedView();
  int fixedWidth() const;
  void sizeColumns();
  int startColumn(int previous) const;

  TableModel* m_model;
  GridOptions m_options;
  // The fixed columns, drawn over the grid's own copy of them.
  QTableView* m_fixedView = nullptr;
  bool m_reloading = false;
};

}  // namespace app::gui
