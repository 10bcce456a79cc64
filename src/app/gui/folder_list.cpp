#include "app/gui/folder_list.h"

#include <QDir>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QStyle>

namespace app::gui {
namespace {

constexpr char kParent[] = "..";

}  // namespace

FolderList::FolderList(const QString& folder, QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setIconSize(QSize(16, 16));
  setUniformItemSizes(true);
  connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::open);
  m_folder = QDir(folder).absolutePath();
  list();
}

void FolderList::setCurrentFolder(const QString& folder) {
  m_folder = QDir::cleanPath(QDir(folder).absolutePath());
  list();
  emit folderChanged(m_folder);
}

void FolderList::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
    open(currentItem());
    event->accept();
    return;
  }
  QListWidget::keyPressEvent(event);
}

void FolderList::open(QListWidgetItem* item) {
  QDir dir(m_folder);
  // A folder that went away since it was listed stays listed as it was;
  // the direction buttons report a folder that does not exist.
  if (!dir.cd(item->text())) return;
  setCurrentFolder(dir.absolutePath());
}

void FolderList::list() {
  clear();
  const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
  QDir dir(m_folder);
  if (!dir.isRoot()) addItem(new QListWidgetItem(icon, kParent));
  const QStringList names =
      dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
  for (const QString& name : names) addItem(new QListWidgetItem(icon, name));
}

QString elidePath(const QString& path, const QFontMetrics& metrics, int width) {
  if (metrics.horizontalAdvance(path) <= width) return path;
  const QChar separator = QLatin1Char('/');
  const QString native = QDir::fromNativeSeparators(path);
  QStringList parts = native.split(separator, Qt::SkipEmptyParts);
  // The root ("/" or "C:/") stays in front of the ellipsis.
  const QString root =
      native.startsWith(separator) || parts.isEmpty() ? QString(separator) : parts.takeFirst() + separator;
  if (parts.isEmpty()) return metrics.elidedText(path, Qt::ElideRight, width);
  const QString ellipsis = QStringLiteral("\u2026");
  QString tail = parts.takeLast();
  while (!parts.isEmpty()) {
    const QString longer = parts.last() + separator + tail;
    if (metrics.horizontalAdvance(root + ellipsis + separator + longer) > width) break;
    tail = longer;
    parts.removeLast();
  }
  const QString shortened = root + ellipsis + separator + tail;
  if (metrics.horizontalAdvance(shortened) <= width) return QDir::toNativeSeparators(shortened);
  return metrics.elidedText(tail, Qt::ElideRight, width);
}

}  // namespace app::gui
