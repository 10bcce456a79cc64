#include "app/gui/drive_selector.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>

#include "app/gui/folder_list.h"

namespace app::gui {

DriveSelector::DriveSelector(FolderList* folders, QWidget* parent) : QComboBox(parent), m_folders(folders) {
  const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const QString root = QDir::toNativeSeparators(volume.rootPath());
    const QString name = volume.name().isEmpty() ? root : root + " [" + volume.name() + "]";
    addItem(icon, name, volume.rootPath());
  }
  showVolumeOf(folders->currentFolder());
  connect(folders, &FolderList::folderChanged, this, &DriveSelector::showVolumeOf);
  connect(this, &QComboBox::activated, this, &DriveSelector::volumeChosen);
}

void DriveSelector::showVolumeOf(const QString& folder) {
  const QString root = QStorageInfo(folder).rootPath();
  m_currentFolders.insert(root, folder);
  const QSignalBlocker blocker(this);
  setCurrentIndex(findData(root));
}

void DriveSelector::volumeChosen(int index) {
  const QString root = itemData(index).toString();
  m_folders->setCurrentFolder(m_currentFolders.value(root, root));
}

}  // namespace app::gui
