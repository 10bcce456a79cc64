#include "app/gui/navigator_bar.h"

#include <algorithm>
#include <functional>

#include <QHBoxLayout>
#include <QToolButton>

#include "app/gui/data_grid.h"
#include "app/gui/table_model.h"

namespace app::gui {
namespace {

constexpr int kPage = 10;

}  // namespace

NavigatorBar::NavigatorBar(DataGrid* grid, QWidget* parent) : QWidget(parent), m_grid(grid) {
  auto current = [grid] { return grid->currentIndex().row(); };
  struct Button {
    const char* name;
    const char* glyph;
    const char* hint;
    std::function<void()> action;
  };
  const Button buttons[] = {
      {"First", "|\u25C0", "Move to first record", [this] { goToRow(0); }},
      {"PriorPage", "\u25C0\u25C0", "Move backward 10 records",
       [this, current] { goToRow(current() - kPage); }},
      {"Prior", "\u25C0", "Move to prior record", [this, current] { goToRow(current() - 1); }},
      {"Next", "\u25B6", "Move to next record", [this, current] { goToRow(current() + 1); }},
      {"NextPage", "\u25B6\u25B6", "Move forward 10 records",
       [this, current] { goToRow(current() + kPage); }},
      {"Last", "\u25B6|", "Move to last record", [this, grid] { goToRow(grid->model()->rowCount() - 1); }},
      {"Edit", "\u25B2", "Edit current record", [grid] { grid->edit(grid->currentIndex()); }},
      {"Post", "\u2714", "Post changes of current record", [grid] { grid->finishEditing(true); }},
      {"Cancel", "\u2718", "Cancel changes made to current record", [grid] { grid->finishEditing(false); }},
      {"Refresh", "\u21BB", "Refresh the contents of the dataset", [grid] { grid->reload(); }},
  };
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  for (const Button& button : buttons) {
    auto* tool = new QToolButton(this);
    tool->setObjectName(button.name);
    tool->setText(QString::fromUtf8(button.glyph));
    tool->setToolTip(button.hint);
    tool->setFocusPolicy(Qt::NoFocus);
    tool->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(tool, &QToolButton::clicked, this, button.action);
    row->addWidget(tool);
  }
}

void NavigatorBar::goToRow(int row) {
  const int rows = m_grid->model()->rowCount();
  if (rows == 0) return;
  const int column = std::max(m_grid->currentIndex().column(), 0);
  m_grid->setCurrentIndex(m_grid->model()->index(std::clamp(row, 0, rows - 1), column));
}

}  // namespace app::gui
