// The window tests' dialogs: every box the window would show is recorded in
// order ("message: ...", "yes/no: ...", "caption | text", "error: ...") and
// questions get the scripted answers.
#pragma once

#include <string>
#include <vector>

#include "app/window_dialogs.h"

namespace app_test {

class RecordingDialogs : public app::WindowDialogs {
 public:
  void message(const std::string& text) override { shown.push_back("message: " + text); }
  bool askYesNo(const std::string& text) override {
    shown.push_back("yes/no: " + text);
    return yesNoAnswer;
  }
  bool askOkCancel(const std::string& caption, const std::string& text) override {
    shown.push_back(caption + " | " + text);
    return okCancelAnswer;
  }
  void error(const std::string& text) override { shown.push_back("error: " + text); }

  std::vector<std::string> shown;
  bool yesNoAnswer = false;
  bool okCancelAnswer = true;
};

}  // namespace app_test
