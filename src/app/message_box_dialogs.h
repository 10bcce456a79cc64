// The window front end's dialogs: Qt message boxes over the main window.
// Information and error boxes are captioned with the application title; the
// one OK/Cancel question carries its own caption and counts closing the box
// without choosing as Cancel. The import's class-hour check and coding editor
// are windows of their own, opened modally over the same window
// (import_dialogs.cpp).
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/window_dialogs.h"

namespace app {

class HelpService;

class MessageBoxDialogs : public WindowDialogs {
 public:
  // The window the boxes are centred on (none: centred on the screen).
  void setParentWindow(QWidget* window) { m_parent = window; }
  // Where F1 in the import's windows asks for help (null: nowhere).
  void setHelp(HelpService* help) { m_help = help; }

  void message(const std::string& text) override;
  bool askYesNo(const std::string& text) override;
  bool askOkCancel(const std::string& caption, const std::string& text) override;
  void error(const std::string& text) override;
  void checkClassHours(dbase::Table& classHours) override;
  void runCodingEditor(dae_export::CodingEditor& editor) override;

 private:
  QPointer<QWidget> m_parent;
  HelpService* m_help = nullptr;
};

}  // namespace app
