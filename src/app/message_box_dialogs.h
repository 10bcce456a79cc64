// The window front end's dialogs: Qt message boxes over the main window.
// Information and error boxes and the Yes/No questions are captioned with the
// application title; a Yes/No question closed without choosing (its title-bar
// button, Escape) answers run::Answer::Closed, and F1 over it shows its help
// topic. The one OK/Cancel question carries its own caption and counts
// closing the box without choosing as Cancel. The import's class-hour check and coding editor
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
  // Where F1 in the import's windows and its questions asks for help (null:
  // nowhere).
  void setHelp(HelpService* help) { m_help = help; }

  void message(const std::string& text) override;
  run::Answer askYesNo(const std::string& text, int helpContext) override;
  bool askOkCancel(const std::string& caption, const std::string& text) override;
  void error(const std::string& text) override;
  void checkClassHours(dbase::Table& classHours) override;
  void runCodingEditor(dae_export::CodingEditor& editor) override;

 private:
  QPointer<QWidget> m_parent;
  HelpService* m_help = nullptr;
};

}  // namespace app
