// A grid column edited through a drop-down list of a code table: the list
// shows the code table's rows in the table's order with all the columns of
// its model, and the cell stores the chosen row's code (the model's first
// column). Only a listed code can be chosen: there is no free text, and the
// keyboard cannot clear the value. Typing a character in the cell opens the
// list at the first code that starts with it.
//
// A guard may refuse to open the list for a cell (it tells the user why);
// the list then stays closed and the value unchanged.
#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace app::gui {

class TableModel;

class CodeListDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // codes: a read-only model over the code table; it must outlive the delegate.
  CodeListDelegate(TableModel* codes, QObject* parent);

  // Asked each time the list would open on a cell; false keeps it closed.
  void setOpenGuard(std::function<bool(const QModelIndex&)> guard) { m_guard = std::move(guard); }

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

 private slots:
  void takeChoice();

 private:
  TableModel* m_codes;
  std::function<bool(const QModelIndex&)> m_guard;
};

}  // namespace app::gui
