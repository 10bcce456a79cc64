#include "app/gui/data_grid.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "app/gui/controls.h"
#include "app/gui/grid_header.h"
#include "app/gui/table_model.h"

namespace app::gui {
namespace {

// Limits typing to the field's width and paints fixed columns like the titles.
class GridDelegate : public QStyledItemDelegate {
 public:
  GridDelegate(TableModel* model, int fixedColumns, QObject* parent)
      : QStyledItemDelegate(parent), m_model(model), m_fixedColumns(fixedColumns) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
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

int titleLines(const GridOptions& options) {
  return std::max(options.titleLines, options.editableColumnsTitle.isEmpty() ? 1 : 2);
}

bool isEnter(const QKeyEvent* event) {
  return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
         (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

DataGrid::DataGrid(TableModel* model, GridOptions options, QWidget* parent)
    : QTableView(parent), m_model(model), m_options(std::move(options)) {
  setHorizontalHeader(makeHeader());
  setModel(model);
  setItemDelegate(new GridDelegate(model, m_options.fixedColumns, this));
  setAlternatingRowColors(m_options.alternateRows);
  if (m_options.alternateRows) {
    QPalette tinted = palette();
    tinted.setColor(QPalette::AlternateBase, QColor(0xE8, 0xF0, 0xFF));
    setPalette(tinted);
  }
  setVerticalScrollBarPolicy(m_options.verticalScrollBar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(m_options.horizontalScrollBar ? Qt::ScrollBarAsNeeded
                                                             : Qt::ScrollBarAlwaysOff);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  verticalHeader()->hide();
  fitRowsToFont(this);
  sizeColumns();
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (m_reloading || !current.isValid()) return;
            m_model->setCurrentRow(current.row());
            emit rowChanged();
          });
  if (m_options.fixedColumns > 0) buildFixedView();
}

GridHeader* DataGrid::makeHeader() {
  std::vector<bool> editable;
  for (const ColumnSpec& column : m_model->columns()) editable.push_back(column.editable);
  auto* header =
      new GridHeader(titleLines(m_options), m_options.editableColumnsTitle, std::move(editable), this);
  header->setFixedHeight(titleLines(m_options) * fontMetrics().height() + 6);
  return header;
}

void DataGrid::sizeColumns() {
  const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
  const auto* header = static_cast<const GridHeader*>(horizontalHeader());
  for (int column = 0; column < m_model->columnCount(); ++column) {
    const ColumnSpec& columnSpec = m_model->columns().at(static_cast<std::size_t>(column));
    // As the framework's grids do, a column is never narrower than its title.
    const int width =
        std::max(columnSpec.widthChars * charWidth, header->titleWidth(column, columnSpec.header));
    setColumnWidth(column, width + kCellPadding);
  }
}

void DataGrid::buildFixedView() {
  // A second view over the same model and selection, showing only the fixed
  // columns, lies over the grid's left edge; the grid scrolls behind it.
  m_fixedView = new QTableView(this);
  m_fixedView->setHorizontalHeader(makeHeader());
  m_fixedView->setModel(m_model);
  m_fixedView->setItemDelegate(new GridDelegate(m_model, m_options.fixedColumns, m_fixedView));
  m_fixedView->setSelectionModel(selectionModel());
  m_fixedView->setFocusPolicy(Qt::NoFocus);
  m_fixedView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_fixedView->setFrameShape(QFrame::NoFrame);
  m_fixedView->setAlternatingRowColors(m_options.alternateRows);
  m_fixedView->setPalette(palette());
  m_fixedView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_fixedView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_fixedView->verticalHeader()->hide();
  fitRowsToFont(m_fixedView);
  m_fixedView->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  for (int column = 0; column < m_model->columnCount(); ++column) {
    if (column < m_options.fixedColumns) {
      m_fixedView->setColumnWidth(column, columnWidth(column));
    } else {
      m_fixedView->setColumnHidden(column, true);
    }
  }
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  viewport()->stackUnder(m_fixedView);
  viewport()->installEventFilter(this);
  m_fixedView->viewport()->installEventFilter(this);
  connect(m_fixedView->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_fixedView->verticalScrollBar(),
          &QAbstractSlider::setValue);
  placeFixedView();
}

int DataGrid::fixedWidth() const {
  int width = 0;
  for (int column = 0; column < m_options.fixedColumns && column < m_model->columnCount(); ++column) {
    width += columnWidth(column);
  }
  return width;
}

void DataGrid::placeFixedView() {
  m_fixedView->setGeometry(frameWidth(), frameWidth(), fixedWidth(),
                           viewport()->height() + horizontalHeader()->height());
}

void DataGrid::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  if (m_fixedView) placeFixedView();
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event) {
  if (m_fixedView && watched == viewport() && event->type() == QEvent::Resize) placeFixedView();
  if (m_fixedView && watched == m_fixedView->viewport()) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        // A click on a fixed cell chooses its row; the cursor stays in the
        // columns that can take it.
        const QModelIndex at = m_fixedView->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        setFocus(Qt::MouseFocusReason);
        if (at.isValid()) setCurrentIndex(m_model->index(at.row(), startColumn(currentIndex().column())));
        return true;
      }
      case QEvent::MouseButtonRelease:
      case QEvent::MouseMove:
        return true;
      default:
        break;
    }
  }
  return QTableView::eventFilter(watched, event);
}

QModelIndex DataGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex next = QTableView::moveCursor(action, modifiers);
  const int fixed = m_options.fixedColumns;
  if (fixed > 0 && next.isValid() && next.column() < fixed && fixed < m_model->columnCount()) {
    return m_model->index(next.row(), fixed);
  }
  return next;
}

void DataGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (m_fixedView && index.column() < m_options.fixedColumns) return;  // always in view
  QTableView::scrollTo(index, hint);
  if (!m_fixedView) return;
  // A cell scrolled in behind the fixed columns comes out to their right.
  const int hidden = fixedWidth() - visualRect(index).left();
  if (hidden > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
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

void DataGrid::finishEditing(bool commit) {
  QWidget* editor = indexWidget(currentIndex());
  if (!editor) return;
  if (commit) commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DataGrid::moveToNextCell() {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  int row = current.row();
  int column = current.column() + 1;
  if (column >= m_model->columnCount()) {
    if (row + 1 >= m_model->rowCount()) return;
    ++row;
    column = m_options.fixedColumns;
  }
  setCurrentIndex(m_model->index(row, column));
}

void DataGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // Enter in an editor submits its value; the grid then moves on.
  const bool moveOn = m_options.enterMovesToNextCell && hint == QAbstractItemDelegate::SubmitModelCache;
  QTableView::closeEditor(editor, moveOn ? QAbstractItemDelegate::NoHint : hint);
  if (moveOn) moveToNextCell();
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
  if (isEnter(event) && (state() == EditingState || m_options.enterMovesToNextCell)) {
    // Enter in a cell's editor reaches here after the editor has taken it
    // (its value is being saved): it goes no further, to no default button.
    event->accept();
    if (state() != EditingState) moveToNextCell();
    return;
  }
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
