// The folder list: the path of the current folder, from its root down, each
// folder one step further in, then the current folder's subfolders one step
// further still. Opening an entry (double-click, or Enter on the
// highlighted one) makes it the current folder, whether it is a folder of
// the path or a subfolder; a single click only highlights it. The current
// folder, not the highlighted entry, is the one the rest of the window uses.
#pragma once

#include <QListWidget>
#include <QString>

namespace app::gui {

class FolderList : public QListWidget {
  Q_OBJECT

 public:
  // What an entry holds besides its name: its folder's absolute path, and
  // how many steps in it is drawn (the root 0).
  static constexpr int kPathRole = Qt::UserRole;
  static constexpr int kDepthRole = Qt::UserRole + 1;

  FolderList(const QString& folder, QWidget* parent);

  // The absolute, clean path of the current folder.
  const QString& currentFolder() const { return m_folder; }
  // Makes folder current and lists it; emits folderChanged.
  void setCurrentFolder(const QString& folder);

 signals:
  void folderChanged(const QString& folder);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void open(QListWidgetItem* item);
  void list();
  QListWidgetItem* addEntry(const QIcon& icon, const QString& name, const QString& path, int depth);

  QString m_folder;
};

// The path shortened to width with an ellipsis in place of leading folders,
// keeping its root and as many trailing folders as fit ("/home/…/dae/2024").
// A last folder too long on its own is cut with an ellipsis at its end.
QString elidePath(const QString& path, const QFontMetrics& metrics, int width);

}  // namespace app::gui
