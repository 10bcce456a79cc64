#include "cli/scripted_dialogs.h"

#include "dae_export/coding_editor.h"
#include "support/text.h"

namespace cli {

ScriptedDialogs::ScriptedDialogs(std::ostream& out, ScriptedAnswers answers) : out_(out), answers_(answers) {}

void ScriptedDialogs::printLine(const std::string& text) { out_ << support::oneLine(text) << '\n'; }

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
