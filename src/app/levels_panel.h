// The study-levels panel (Panel2), over the whole window: the levels of
// daeNIVIMP in a grid where the user types each level's short names, "Volver
// a Datos Centro", "Aceptar" (the panel's default button), and the template
// choice over the grid once the levels are accepted.
#pragma once

#include <QFrame>

#include <functional>

namespace dbase {
class Table;
}

namespace app {
namespace gui {
class DataGrid;
}
class TemplatePanel;

class LevelsPanel : public QFrame {
  Q_OBJECT

 public:
  // confirmDelete is asked before Ctrl+Del deletes a level.
  LevelsPanel(std::function<bool()> confirmDelete, QWidget* parent);

  void setTables(dbase::Table* levels, dbase::Table* templates);
  TemplatePanel* templatePanel() const { return m_templates; }
  void refresh();
  // Gives the keyboard to the levels grid.
  void focusGrid();

 signals:
  void backClicked();
  void acceptClicked();
  void errorOccurred(const QString& text);

 private:
  gui::DataGrid* m_grid;
  TemplatePanel* m_templates;
};

}  // namespace app
