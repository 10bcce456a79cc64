// The title row of a data-aware grid: titles on one or more lines, long ones
// wrapped at blanks, and optionally a common title drawn across a run of
// columns above their own titles (the columns the user fills in carry "DAE"
// over them in the coding editor). Other columns' titles use the full height.
#pragma once

#include <QHeaderView>
#include <QString>

#include <vector>

namespace app::gui {

class GridHeader : public QHeaderView {
  Q_OBJECT

 public:
  // grouped[i]: column i stands under groupTitle (ignored when it is empty).
  GridHeader(int lines, QString groupTitle, std::vector<bool> grouped, QWidget* parent);

  // The narrowest width that shows title in the lines it may take.
  int titleWidth(int column, const QString& title) const;

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

 private:
  bool isGrouped(int column) const;
  // The run of grouped columns around column, in viewport coordinates.
  QRect groupRect(int column, int height) const;

  int m_lines;
  QString m_groupTitle;
  std::vector<bool> m_grouped;
};

}  // namespace app::gui
