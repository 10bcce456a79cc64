// A main window on a small, complete DAE export in a temporary folder, with
// an empty work folder, recorded dialogs, a recorded help viewer and its own
// folder for Orvalin.ini; the window is shown and its controls are found by
// their window names.
#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/help.h"
#include "app/main_window.h"
#include "app/recording_dialogs.h"
#include "dae_import/complete_export.h"
#include "run/session.h"
#include "toolkit/temp_folder.h"

namespace app_test {

class RecordingHelp : public app::HelpService {
 public:
  void showContents() override { requests.push_back(0); }
  void showTopic(int context) override { requests.push_back(context); }

  std::vector<int> requests;  // 0 for the table of contents
};

class WindowHarness {
 public:
  WindowHarness();

  // Builds the window (once the fixture's files are as wanted) and shows it.
  app::MainWindow& open(const QStringList& arguments);

  template <class Widget>
  Widget* child(const char* name) const {
    auto* widget = window->findChild<Widget*>(name);
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  // Clicks the named button, as the user does.
  void click(const char* name) const;
  // Makes cell (row, column) of the named grid current, as a click does.
  void select(const char* grid, int row, int column) const;
  int currentRow(const char* grid) const;
  // Types text into cell (row, column) of the named grid, as the user does.
  void type(const char* grid, int row, int column, const QString& text) const;
  QString cell(const char* grid, int row, int column) const;
  int rowCount(const char* grid) const;
  // Shown, as far as the window is shown.
  bool showing(const char* name) const;

  // The text of Orvalin.ini in the window's folder; nullopt when absent.
  std::optional<std::string> ini() const;
  QString daeFolder() const;

  test_support::Workspace workspace;
  run::Session session;
  RecordingDialogs dialogs;
  RecordingHelp help;
  test_support::TempFolder iniFolder;
  std::unique_ptr<app::MainWindow> window;
};

}  // namespace app_test
