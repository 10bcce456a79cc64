// The centre-data panel (Panel1): the one row of daeCENTRO in a grid, the
// public/private pair of check boxes and its "OK", the panel's default
// button. It shows what the window gives it and reports what the user does;
// the flow decides the rest.
#pragma once

#include <QFrame>

namespace dbase {
class Table;
}

class QCheckBox;

namespace app {
namespace gui {
class DataGrid;
}

class CentrePanel : public QFrame {
  Q_OBJECT

 public:
  explicit CentrePanel(QWidget* parent);

  // The centre table handle the grid edits (nullptr: none).
  void setTable(dbase::Table* centre);
  void refresh(bool publicChecked, bool privateChecked);
  // Gives the keyboard to the grid.
  void focusGrid();

 signals:
  void okClicked();
  void publicClicked(bool checked);
  void privateClicked(bool checked);
  void errorOccurred(const QString& text);

 private:
  gui::DataGrid* m_grid;
  QCheckBox* m_public;
  QCheckBox* m_private;
};

}  // namespace app
