// The hour-template choice (Panel3): the templates of daePLANTILLAS in a grid
// whose current row is the chosen one, its "OK" (the panel's default button),
// and the wait notice shown while the tables are built.
#pragma once

#include <QFrame>

namespace dbase {
class Table;
}

class QLabel;
class QPushButton;

namespace app {
namespace gui {
class DataGrid;
}

class TemplatePanel : public QFrame {
  Q_OBJECT

 public:
  explicit TemplatePanel(QWidget* parent);

  void setTable(dbase::Table* templates);
  void refresh(bool okVisible, bool waitNoticeVisible);
  // Gives the keyboard to the grid, where the arrow keys choose.
  void focusGrid();
  // What pressing "OK" shows at once: the wait notice in its place.
  void showWorking();

 signals:
  void okClicked();
  void errorOccurred(const QString& text);

 private:
  gui::DataGrid* m_grid;
  QPushButton* m_ok;
  QLabel* m_waitNotice;
};

}  // namespace app
