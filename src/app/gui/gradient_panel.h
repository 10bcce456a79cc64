// A panel whose background is a vertical gradient between two colours, the
// backdrop of the main window's three areas.
#pragma once

#include <QColor>
#include <QWidget>

namespace app::gui {

class GradientPanel : public QWidget {
  Q_OBJECT

 public:
  GradientPanel(QColor top, QColor bottom, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor m_top;
  QColor m_bottom;
};

}  // namespace app::gui
