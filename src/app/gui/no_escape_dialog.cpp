#include "app/gui/no_escape_dialog.h"

#include <QKeyEvent>

namespace app::gui {

void NoEscapeDialog::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace app::gui
