#include "app/gui/code_list_delegate.h"

#include <algorithm>

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

#include "app/gui/controls.h"
#include "app/gui/table_model.h"

namespace app::gui {
namespace {

// Room for the list's margins and scroll bar besides its columns.
constexpr int kListPadding = 24;
// Long descriptions are cut to this many pixels, so that the list fits on
// the screen.
constexpr int kWidestListColumn = 320;

// The list as a cell editor: the keys that would change the choice without
// showing it (arrows, a typed character) open the list instead, so that a
// code is only ever taken from what the user sees.
class CodeList : public QComboBox {
 public:
  explicit CodeList(QWidget* parent) : QComboBox(parent) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool arrow = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down ||
                       event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown ||
                       event->key() == Qt::Key_Home || event->key() == Qt::Key_End;
    const QString typed = event->text().trimmed();
    if (!arrow && typed.isEmpty()) {
      // Enter, Escape and Tab end the edit through the grid; Delete and
      // Backspace do nothing, as the value cannot be cleared.
      if (event->key() != Qt::Key_Delete && event->key() != Qt::Key_Backspace)
        QComboBox::keyPressEvent(event);
      return;
    }
    event->accept();
    showPopup();
    if (!typed.isEmpty()) view()->keyboardSearch(typed);
  }
};

}  // namespace

CodeListDelegate::CodeListDelegate(TableModel* codes, QObject* parent)
    : QStyledItemDelegate(parent), m_codes(codes) {}

QWidget* CodeListDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
  if (m_guard && !m_guard(index)) return nullptr;
  auto* list = new CodeList(parent);
  auto* rows = new QTableView(list);
  rows->horizontalHeader()->hide();
  rows->verticalHeader()->hide();
  rows->setSelectionBehavior(QAbstractItemView::SelectRows);
  rows->setShowGrid(false);
  list->setModel(m_codes);
  list->setView(rows);
  list->setModelColumn(0);
  fitRowsToFont(rows);
  rows->resizeColumnsToContents();
  int width = kListPadding;
  for (int column = 0; column < m_codes->columnCount(); ++column) {
    rows->setColumnWidth(column, std::min(rows->columnWidth(column), kWidestListColumn));
    width += rows->columnWidth(column);
  }
  rows->setMinimumWidth(width);
  // A choice made in the list is taken at once.
  connect(list, &QComboBox::activated, this, &CodeListDelegate::takeChoice);
  return list;
}

void CodeListDelegate::takeChoice() {
  auto* list = qobject_cast<QWidget*>(sender());
  emit commitData(list);
  emit closeEditor(list, QAbstractItemDelegate::NoHint);
}

void CodeListDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* list = static_cast<QComboBox*>(editor);
  list->setCurrentIndex(list->findText(index.data(Qt::EditRole).toString(), Qt::MatchExactly));
}

void CodeListDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
  const auto* list = static_cast<QComboBox*>(editor);
  if (list->currentIndex() < 0) return;  // nothing chosen: the value stays
  model->setData(index, m_codes->index(list->currentIndex(), 0).data(Qt::EditRole), Qt::EditRole);
}

}  // namespace app::gui
