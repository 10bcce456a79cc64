#include "app/folder_area.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

#include "app/centre_panel.h"
#include "app/gui/controls.h"
#include "app/gui/drive_selector.h"
#include "app/gui/folder_list.h"

namespace app {
namespace {

constexpr char kVersion[] = "Versión 1.0";
const QRect kFolderListBounds{8, 34, 287, 110};

}  // namespace

FolderArea::FolderArea(const QString& folder, QWidget* parent)
    : gui::GradientPanel(QColor(0xD4, 0xDC, 0xE8), QColor(0xF4, 0xF6, 0xFA), parent) {
  setObjectName("Draw3D1");
  setGeometry(0, 100, 598, 170);

  using gui::LabelStyle;
  gui::addLabel(this, "Label5", "Carpeta en la que se encuentran los Ficheros TXT de DAE", {9, 5},
                LabelStyle{gui::kBlue});
  gui::addLabel(this, "Label6", "Ruta Actual:", {9, 19}, LabelStyle{gui::kBlue});
  m_path = gui::addLabel(this, "Label2", "", {70, 20}, LabelStyle{gui::kRed, true});

  m_folders = new gui::FolderList(folder, this);
  m_folders->setObjectName("Directorios");
  m_folders->setGeometry(kFolderListBounds);
  connect(m_folders, &gui::FolderList::folderChanged, this, &FolderArea::showFolder);
  showFolder(m_folders->currentFolder());

  auto* drives = new gui::DriveSelector(m_folders, this);
  drives->setObjectName("Unidades");
  drives->setGeometry(8, 147, 137, 19);

  connect(gui::addButton(this, "Button1", "F1 AYUDA", {220, 147, 75, 21}), &QPushButton::clicked, this,
          &FolderArea::helpClicked);
  connect(gui::addButton(this, "BClose", "&Salir", {480, 120, 89, 25}, gui::ButtonGlyph::Close),
          &QPushButton::clicked, this, &FolderArea::closeClicked);
  m_backToLevels = gui::addButton(this, "Button3", "Volver a Niveles Estudios", {328, 121, 129, 25});
  m_backToLevels->hide();
  connect(m_backToLevels, &QPushButton::clicked, this, &FolderArea::backToLevelsClicked);
  gui::addLabel(this, "Label1", QString::fromUtf8(kVersion), {368, 149}, LabelStyle{gui::kRed, true});

  m_centre = new CentrePanel(this);
  m_centre->hide();
}

void FolderArea::showFolder(const QString& folder) {
  m_path->setText(
      gui::elidePath(QDir::toNativeSeparators(folder), m_path->fontMetrics(), kFolderListBounds.width()));
  m_path->adjustSize();
}

}  // namespace app
