// The folder area (Draw3D1) along the bottom of the main window: where the
// DAE TXT files are (the folder list, its drive selector and the current
// folder's path), "F1 AYUDA", "&Salir", "Volver a Niveles Estudios", the
// version label, and the centre-data panel that lies over the folder list.
#pragma once

#include "app/gui/gradient_panel.h"

class QLabel;
class QPushButton;

namespace app {
namespace gui {
class FolderList;
}
class CentrePanel;

class FolderArea : public gui::GradientPanel {
  Q_OBJECT

 public:
  // The folder list starts at folder.
  FolderArea(const QString& folder, QWidget* parent);

  gui::FolderList* folderList() const { return m_folders; }
  CentrePanel* centrePanel() const { return m_centre; }
  QPushButton* backToLevelsButton() const { return m_backToLevels; }

 signals:
  void helpClicked();
  void closeClicked();
  void backToLevelsClicked();

 private:
  void showFolder(const QString& folder);

  gui::FolderList* m_folders;
  QLabel* m_path;
  QPushButton* m_backToLevels;
  CentrePanel* m_centre;
};

}  // namespace app
