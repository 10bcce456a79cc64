// The batch front end's Dialogs: every text the window would show in a box is
// printed as one line, in order, and every question is answered from the
// command's options. A question is printed with its caption (when it has
// one) and the answer given: "caption: text -> OK". Line breaks inside a
// text become blanks so that each box stays one line.
#pragma once

#include <ostream>
#include <string>

#include "run/dialogs.h"

namespace cli {

struct ScriptedAnswers {
  bool yesNo = false;    // answer to every Yes/No question
  bool okCancel = true;  // answer to every OK/Cancel question
};

class ScriptedDialogs : public run::Dialogs {
 public:
  ScriptedDialogs(std::ostream& out, ScriptedAnswers answers);

  void message(const std::string& text) override;
  run::Answer askYesNo(const std::string& text, int helpContext) override;
  bool askOkCancel(const std::string& caption, const std::string& text) override;
  // Presses "&Terminar" once: nothing is typed in the coding editor.
  void runCodingEditor(dae_export::CodingEditor& editor) override;

 private:
  void printLine(const std::string& text);

  std::ostream& out_;
  ScriptedAnswers answers_;
};

}  // namespace cli
