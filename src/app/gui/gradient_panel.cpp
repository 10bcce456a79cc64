#include "app/gui/gradient_panel.h"

#include <QLinearGradient>
#include <QPainter>

namespace app::gui {

GradientPanel::GradientPanel(QColor top, QColor bottom, QWidget* parent)
    : QWidget(parent), m_top(top), m_bottom(bottom) {}

void GradientPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QLinearGradient gradient(0, 0, 0, height());
  gradient.setColorAt(0, m_top);
  gradient.setColorAt(1, m_bottom);
  painter.fillRect(rect(), gradient);
  // A sunken edge, as the framework's 3D panels draw it.
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(0, 0, width() - 1, 0);
  painter.drawLine(0, 0, 0, height() - 1);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(width() - 1, 1, width() - 1, height() - 1);
  painter.drawLine(1, height() - 1, width() - 1, height() - 1);
}

}  // namespace app::gui
