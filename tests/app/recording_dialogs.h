// The window tests' dialogs: the tests' recording dialogs with the windows'
// error box ("error: text"), noting for every box whether the busy cursor
// showed over it. Unless a test scripts them, questions get No and OK.
#pragma once

#include <QApplication>
#include <QCursor>

#include <string>
#include <vector>

#include "app/window_dialogs.h"
#include "toolkit/recording_dialogs.h"

namespace app_test {

class RecordingDialogs : public app::WindowDialogs, public test_support::RecordingDialogs {
 public:
  RecordingDialogs() { otherAnswers = test_support::alwaysAnswer(false, true); }

  void error(const std::string& text) override { record("error: " + text); }

  std::vector<bool> busyAtBox;

 protected:
  void record(const std::string& box) override {
    test_support::RecordingDialogs::record(box);
    const QCursor* cursor = QApplication::overrideCursor();
    busyAtBox.push_back(cursor && cursor->shape() == Qt::WaitCursor);
  }
};

}  // namespace app_test
