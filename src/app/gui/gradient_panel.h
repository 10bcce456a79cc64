// A panel whose background is a vertical gradient, between two colours or
// through several: the backdrop of the main window's three areas and of the
// class-hour check.
#pragma once

#include <QColor>
#include <QGradientStops>
#include <QWidget>

namespace app::gui {

class GradientPanel : public QWidget {
  Q_OBJECT

 public:
  GradientPanel(QColor top, QColor bottom, QWidget* parent);
  // stops: positions from 0 (the top) to 1 (the bottom) and their colours.
  GradientPanel(QGradientStops stops, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QGradientStops m_stops;
};

}  // namespace app::gui
