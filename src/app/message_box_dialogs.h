// The window front end's dialogs: Qt message boxes over the main window.
// Information and error boxes are captioned with the application title; the
// one OK/Cancel question carries its own caption and counts closing the box
// without choosing as Cancel. The import's class-hour check is a window of
// its own (import_dialogs.cpp); the coding editor is the core's default.
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/window_dialogs.h"

namespace app {

class MessageBoxDialogs : public WindowDialogs {
 public:
  // The window the boxes are centred on (none: centred on the screen).
  void setParentWindow(QWidget* window) { m_parent = window; }

  void message(const std::string& text) override;
  bool askYesNo(const std::string& text) override;
  bool askOkCancel(const std::string& caption, const std::string& text) override;
  void error(const std::string& text) override;
  void checkClassHours(dbase::Table& classHours) override;

 private:
  QPointer<QWidget> m_parent;
};

}  // namespace app
