// A navigator bar under a data-aware grid: buttons that move the grid to the
// first record, ten back, the prior, the next, ten forward and the last, and
// that edit the current cell, keep (post) or drop (cancel) what is being
// typed in it, and read the records again (refresh). Each button shows its
// hint when the pointer rests on it. Rows are never added or deleted here.
#pragma once

#include <QWidget>

namespace app::gui {

class DataGrid;

class NavigatorBar : public QWidget {
  Q_OBJECT

 public:
  NavigatorBar(DataGrid* grid, QWidget* parent);

 private:
  // Makes row current (clamped to the rows there are), in the same column.
  void goToRow(int row);

  DataGrid* m_grid;
};

}  // namespace app::gui
