#include "app/gui/grid_header.h"

#include <algorithm>
#include <utility>

#include <QPainter>
#include <QStyleOptionHeader>

namespace app::gui {
namespace {

constexpr int kTextFlags = Qt::AlignCenter | Qt::TextWordWrap;
// Room between a title and the section's edges.
constexpr int kMargin = 2;

}  // namespace

GridHeader::GridHeader(int lines, QString groupTitle, std::vector<bool> grouped, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent),
      m_lines(std::max(lines, 1)),
      m_groupTitle(std::move(groupTitle)),
      m_grouped(std::move(grouped)) {
  setHighlightSections(false);
}

bool GridHeader::isGrouped(int column) const {
  return !m_groupTitle.isEmpty() && column >= 0 && column < static_cast<int>(m_grouped.size()) &&
         m_grouped[static_cast<std::size_t>(column)];
}

int GridHeader::titleWidth(int column, const QString& title) const {
  const QFontMetrics metrics = fontMetrics();
  const int full = metrics.horizontalAdvance(title);
  // A grouped column's own title has the line under the common title.
  const int lines = isGrouped(column) ? 1 : m_lines;
  if (lines == 1) return full;
  // Lines after the first add the font's leading (none in most Linux fonts, a pixel in Arial).
  const int linesHeight = (lines - 1) * metrics.lineSpacing() + metrics.height();
  for (int width = 1; width < full; ++width) {
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, width, 1000), kTextFlags, title);
    if (wrapped.width() <= width && wrapped.height() <= linesHeight) return width;
  }
  return full;
}

QRect GridHeader::groupRect(int column, int height) const {
  int first = column;
  while (isGrouped(first - 1)) --first;
  int last = column;
  while (isGrouped(last + 1)) ++last;
  const int left = sectionViewportPosition(first);
  return {left, 0, sectionViewportPosition(last) + sectionSize(last) - left, height};
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  if (!rect.isValid()) return;
  QStyleOptionHeader option;
  initStyleOption(&option);
  option.rect = rect;
  option.section = logicalIndex;
  style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);

  const QString title =
      model() ? model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString() : "";
  QRect titleRect = rect.adjusted(kMargin, 0, -kMargin, 0);
  painter->save();
  painter->setPen(palette().color(QPalette::ButtonText));
  if (isGrouped(logicalIndex)) {
    // The common title is drawn across the whole run, each section showing
    // its own part of it, over one band without the sections' dividers.
    const int band = rect.height() / 2;
    const QRect bandRect(rect.left(), rect.top(), rect.width(), band);
    painter->setClipRect(bandRect);
    painter->fillRect(bandRect, palette().button());
    const QRect run = groupRect(logicalIndex, band);
    painter->drawText(run, Qt::AlignCenter, m_groupTitle);
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(bandRect.bottomLeft(), bandRect.bottomRight());
    if (run.right() <= rect.right()) painter->drawLine(rect.right(), rect.top(), rect.right(), band);
    painter->setClipping(false);
    painter->setPen(palette().color(QPalette::ButtonText));
    titleRect.setTop(rect.top() + band);
  }
  painter->drawText(titleRect, kTextFlags, title);
  painter->restore();
}

}  // namespace app::gui
