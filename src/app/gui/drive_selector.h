// The drive selector: the mounted volumes, bound to a folder list. Choosing a
// volume moves the list to that volume's current folder (the folder the list
// last showed on it, else its root); moving the list to another volume
// selects that volume here.
#pragma once

#include <QComboBox>
#include <QHash>
#include <QString>

namespace app::gui {

class FolderList;

class DriveSelector : public QComboBox {
  Q_OBJECT

 public:
  DriveSelector(FolderList* folders, QWidget* parent);

 private:
  void showVolumeOf(const QString& folder);
  void volumeChosen(int index);

  FolderList* m_folders;
  // The last folder shown on each volume, by the volume's root path.
  QHash<QString, QString> m_currentFolders;
};

}  // namespace app::gui
