#include "app/gui/folder_list.h"

#include <QDir>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace app::gui {
namespace {

// How far one step in the path moves an entry to the right.
constexpr int kIndentPixels = 8;

// Draws each entry indented by its depth.
class IndentingDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem indented = option;
    indented.rect.setLeft(option.rect.left() + indent(index));
    QStyledItemDelegate::paint(painter, indented, index);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(index), 0);
  }

 private:
  static int indent(const QModelIndex& index) {
    return index.data(FolderList::kDepthRole).toInt() * kIndentPixels;
  }
};

// The folders from the root down to folder, folder included.
QStringList pathDownTo(const QString& folder) {
  QStringList path;
  QDir dir(folder);
  do {
    path.prepend(dir.absolutePath());
  } while (dir.cdUp());
  return path;
}

// The name an entry shows: the folder's own name, or the root as written.
QString entryName(const QString& path) {
  const QDir dir(path);
  return dir.isRoot() ? QDir::toNativeSeparators(dir.absolutePath()) : dir.dirName();
}

}  // namespace

FolderList::FolderList(const QString& folder, QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setIconSize(QSize(16, 16));
  setItemDelegate(new IndentingDelegate(this));
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
  const QString path = item->data(kPathRole).toString();
  // A folder that went away since it was listed stays listed as it was;
  // the direction buttons report a folder that does not exist.
  if (!QDir(path).exists()) return;
  setCurrentFolder(path);
}

QListWidgetItem* FolderList::addEntry(const QIcon& icon, const QString& name, const QString& path,
                                      int depth) {
  auto* item = new QListWidgetItem(icon, name, this);
  item->setData(kPathRole, path);
  item->setData(kDepthRole, depth);
  return item;
}

void FolderList::list() {
  clear();
  const QStringList path = pathDownTo(m_folder);
  const QIcon openFolder = style()->standardIcon(QStyle::SP_DirOpenIcon);
  QListWidgetItem* current = nullptr;
  for (int depth = 0; depth < path.size(); ++depth) {
    current = addEntry(openFolder, entryName(path[depth]), path[depth], depth);
  }
  const QIcon closedFolder = style()->standardIcon(QStyle::SP_DirIcon);
  const QDir dir(m_folder);
  const QStringList names =
      dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
  for (const QString& name : names) {
    addEntry(closedFolder, name, dir.absoluteFilePath(name), static_cast<int>(path.size()));
  }
  // The keyboard starts from the current folder.
  setCurrentItem(current);
  scrollToItem(current);
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
