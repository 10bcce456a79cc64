#include "app/gui/gradient_panel.h"

#include <QLinearGradient>
#include <QPainter>

#include <utility>

namespace app::gui {

GradientPanel::GradientPanel(QColor top, QColor bottom, QWidget* parent)
    : GradientPanel(QGradientStops{{0, top}, {1, bottom}}, parent) {}

GradientPanel::GradientPanel(QGradientStops stops, QWidget* parent)
    : QWidget(parent), m_stops(std::move(stops)) {}

void GradientPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QLinearGradient gradient(0, 0, 0, height());
  gradient.setStops(m_stops);
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
