// A modal window that Escape does not close: the import's windows, where
// leaving takes the window's close button or its own button, so that a key
// pressed by habit does not move the import on.
#pragma once

#include <QDialog>

namespace app::gui {

class NoEscapeDialog : public QDialog {
  Q_OBJECT

 public:
  using QDialog::QDialog;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace app::gui
