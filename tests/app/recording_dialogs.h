// The window tests' dialogs: every box the window would show is recorded in
// order ("message: ...", "yes/no: ...", "caption | text", "error: ...") with
// whether the busy cursor showed over it, and questions get the scripted
// answers.
#pragma once

#include <QApplication>
#include <QCursor>

#include <string>
#include <vector>

#include "app/window_dialogs.h"

namespace app_test {

class RecordingDialogs : public app::WindowDialogs {
 public:
  void message(const std::string& text) override { record("message: " + text); }
  bool askYesNo(const std::string& text) override {
    record("yes/no: " + text);
    return yesNoAnswer;
  }
  bool askOkCancel(const std::string& caption, const std::string& text) override {
    record(caption + " | " + text);
    return okCancelAnswer;
  }
  void error(const std::string& text) override { record("error: " + text); }

  std::vector<std::string> shown;
  std::vector<bool> busyAtBox;
  bool yesNoAnswer = false;
  bool okCancelAnswer = true;

 private:
  void record(const std::string& box) {
    shown.push_back(box);
    const QCursor* cursor = QApplication::overrideCursor();
    busyAtBox.push_back(cursor && cursor->shape() == Qt::WaitCursor);
  }
};

}  // namespace app_test
