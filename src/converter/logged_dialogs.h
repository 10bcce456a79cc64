// The dialogs of a run as the run log sees them: each box the flow shows
// becomes a line of the log (a question with the answer given, a window
// with its caption), and the lines so far are written out before each box
// opens, so that the log holds them while the box waits for the user.
#pragma once

#include <functional>
#include <string>

#include "run/dialogs.h"
#include "run/run_log.h"

namespace converter {

class LoggedDialogs : public run::Dialogs {
 public:
  // shown: the front end's dialogs, which show the boxes; beforeBox writes
  // the log's lines out.
  LoggedDialogs(run::Dialogs& shown, run::RunLog& log, std::function<void()> beforeBox);

  void message(const std::string& text) override;
  run::Answer askYesNo(const std::string& text, int helpContext) override;
  bool askOkCancel(const std::string& caption, const std::string& text) override;
  void checkClassHours(dbase::Table& classHours) override;
  void runCodingEditor(dae_export::CodingEditor& editor) override;

 private:
  run::Dialogs& shown_;
  run::RunLog& log_;
  std::function<void()> beforeBox_;
};

}  // namespace converter
