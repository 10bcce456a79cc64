// The one Dialogs of the tests, the fuzz targets and the benchmark: every box
// is recorded in the order shown, every question is answered from a script,
// and the two windows of the import do what the test says. A question the
// script does not answer throws UnexpectedQuestion, which fails the test.
#pragma once

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "run/dialogs.h"

namespace test_support {

enum class Question { YesNo, OkCancel };

// One scripted answer: true (Yes, OK), false (No, Cancel), or
// run::Answer::Closed, the box closed without choosing, which an OK/Cancel
// question takes as Cancel, as the window's box does.
struct ScriptedAnswer {
  ScriptedAnswer(bool yes) : answer(yes ? run::Answer::Yes : run::Answer::No) {}
  ScriptedAnswer(run::Answer given) : answer(given) {}

  run::Answer answer;
};

// Answers a question given its kind and its box as recorded.
using AnswerRule = std::function<ScriptedAnswer(Question question, const std::string& box)>;

// yesNo to every Yes/No question, okCancel to every OK/Cancel question.
AnswerRule alwaysAnswer(bool yesNo, bool okCancel);

class UnexpectedQuestion : public std::logic_error {
 public:
  explicit UnexpectedQuestion(const std::string& box) : std::logic_error("unexpected question: " + box) {}
};

// Virtual base: the window tests' double adds the windows' error box to it.
class RecordingDialogs : public virtual run::Dialogs {
 public:
  void message(const std::string& text) override;
  // Also notes the question's help context in yesNoHelp.
  run::Answer askYesNo(const std::string& text, int helpContext) override;
  bool askOkCancel(const std::string& caption, const std::string& text) override;
  // Counts the check and makes classHourEdits.
  void checkClassHours(dbase::Table& classHours) override;
  // Counts the run, makes editorActions, then presses "&Terminar" once.
  void runCodingEditor(dae_export::CodingEditor& editor) override;

  // Every box in the order shown: a message or a Yes/No question as its
  // text, an OK/Cancel question as "caption|text".
  std::vector<std::string> shown;
  // The answers to the questions in the order they are asked.
  std::deque<ScriptedAnswer> answers;
  // Answers the questions asked once answers is used up.
  AnswerRule otherAnswers;

  // The help context of every Yes/No question, in the order asked.
  std::vector<int> yesNoHelp;

  int classHourChecks = 0;
  std::function<void(dbase::Table& classHours)> classHourEdits;
  int editorRuns = 0;
  std::function<void(dae_export::CodingEditor& editor)> editorActions;

 protected:
  // Adds box to shown.
  virtual void record(const std::string& box);

 private:
  run::Answer answer(Question question, const std::string& box);
};

}  // namespace test_support
