#include "app/gui/data_grid.h"

#include <algorithm>
#include <utility>

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>

#include "app/gui/table_model.h"

namespace app::gui {
namespace {

// Limits typing to the field's width and paints fixed columns like the header.
class GridDelegate : public QStyledItemDelegate {
 public:
  GridDelegate(TableModel* model, int fixedColumns, QObject* parent)
      : QStyledItemDelegate(parent), m_model(model), m_fixedColumns(fixedColumns) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    const int width = m_model->fieldWidth(index.column());
    if (auto* line = qobject_cast<QLineEdit*>(editor); line && width > 0) line->setMaxLength(width);
    return editor;
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (index.column() >= m_fixedColumns) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    QStyleOptionViewItem fixed = option;
    fixed.state &= ~QStyle::State_Selected;
    painter->fillRect(option.rect, option.palette.button());
    QStyledItemDelegate::paint(painter, fixed, index);
  }

 private:
  TableModel* m_model;
  int m_fixedColumns;
};

// Room for the cell's margins and grid line besides the characters.
constexpr int kCellPadding = 8;

}  // namespace

DataGrid::DataGrid(TableModel* model, GridOptions options, QWidget* parent)
    : QTableView(parent), m_model(model), m_options(std::move(options)) {
  setModel(model);
  setItemDelegate(new GridDelegate(model, m_options.fixedColumns, this));
  setAlternatingRowColors(m_options.alternateRows);
  if (m_options.alternateRows) {
    QPalette tinted = palette();
    tinted.setColor(QPalette::AlternateBase, QColor(0xE8, 0xF0, 0xFF));
    setPalette(tinted);
  }
  setVerticalScrollBarPolicy(m_options.verticalScrollBar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(m_options.horizontalScrollBar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setFixedHeight(fontMetrics().height() + 6);
  horizontalHeader()->setHighlightSections(false);
  sizeColumns();
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
    if (!m_reloading && current.isValid()) m_model->setCurrentRow(current.row());
  });
}

void DataGrid::sizeColumns() {
  const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
  const QFontMetrics titleMetrics = horizontalHeader()->fontMetrics();
  for (int column = 0; column < m_model->columnCount(); ++column) {
    const ColumnSpec& spec = m_model->columns().at(static_cast<std::size_t>(column));
    // As the framework's grids do, a column is never narrower than its title.
    const int width = std::max(spec.widthChars * charWidth, titleMetrics.horizontalAdvance(spec.header));
    setColumnWidth(column, width + kCellPadding);
  }
}

void DataGrid::reload() {
  const int previousColumn = currentIndex().column();
  m_reloading = true;
  m_model->reload();
  const int row = m_model->currentRow();
  if (row >= 0) setCurrentIndex(m_model->index(row, startColumn(previousColumn)));
  m_reloading = false;
}

int DataGrid::startColumn(int previous) const {
  // The column the user was in, else the first one to type in.
  const std::vector<ColumnSpec>& columns = m_model->columns();
  if (previous >= m_options.fixedColumns && previous < static_cast<int>(columns.size())) return previous;
  for (std::size_t column = 0; column < columns.size(); ++column) {
    if (columns[column].editable) return static_cast<int>(column);
  }
  return std::min(m_options.fixedColumns, m_model->columnCount() - 1);
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
  const bool ctrlDelete = event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier;
  if (!ctrlDelete) {
    QTableView::keyPressEvent(event);
    return;
  }
  event->accept();
  const QModelIndex current = currentIndex();
  if (!m_options.confirmDelete || !current.isValid() || !m_options.confirmDelete()) return;
  m_model->removeRow(current.row());
  reload();
}

}  // namespace app::gui
