#include "cli/scripted_dialogs.h"

#include "dae_export/coding_editor.h"

namespace cli {

ScriptedDialogs::ScriptedDialogs(std::ostream& out, ScriptedAnswers answers) : out_(out), answers_(answers) {}

void ScriptedDialogs::printLine(const std::string& text) {
  std::string line;
  for (const char c : text) {
    const bool lineBreak = c == '\n' || c == '\r';
    if (!lineBreak) {
      line += c;
    } else if (!line.empty() && line.back() != ' ') {
      line += ' ';
    }
  }
  out_ << line << '\n';
}

void ScriptedDialogs::message(const std::string& text) { printLine(text); }

run::Answer ScriptedDialogs::askYesNo(const std::string& text, int) {
  printLine(text + (answers_.yesNo ? " -> Yes" : " -> No"));
  return answers_.yesNo ? run::Answer::Yes : run::Answer::No;
}

bool ScriptedDialogs::askOkCancel(const std::string& caption, const std::string& text) {
  printLine(caption + ": " + text + (answers_.okCancel ? " -> OK" : " -> Cancel"));
  return answers_.okCancel;
}

void ScriptedDialogs::runCodingEditor(dae_export::CodingEditor& editor) { editor.Terminar(); }

}  // namespace cli
