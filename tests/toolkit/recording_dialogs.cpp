#include "toolkit/recording_dialogs.h"

#include "dae_export/coding_editor.h"

namespace test_support {

AnswerRule alwaysAnswer(bool yesNo, bool okCancel) {
  return [yesNo, okCancel](Question question, const std::string&) {
    return question == Question::YesNo ? yesNo : okCancel;
  };
}

void RecordingDialogs::message(const std::string& text) { record(text); }

run::Answer RecordingDialogs::askYesNo(const std::string& text, int helpContext) {
  record(text);
  yesNoHelp.push_back(helpContext);
  return answer(Question::YesNo, text);
}

bool RecordingDialogs::askOkCancel(const std::string& caption, const std::string& text) {
  const std::string box = caption + "|" + text;
  record(box);
  return answer(Question::OkCancel, box) == run::Answer::Yes;
}

void RecordingDialogs::checkClassHours(dbase::Table& classHours) {
  ++classHourChecks;
  if (classHourEdits) classHourEdits(classHours);
}

void RecordingDialogs::runCodingEditor(dae_export::CodingEditor& editor) {
  ++editorRuns;
  if (editorActions) editorActions(editor);
  editor.Terminar();
}

void RecordingDialogs::record(const std::string& box) { shown.push_back(box); }

run::Answer RecordingDialogs::answer(Question question, const std::string& box) {
  if (!answers.empty()) {
    const ScriptedAnswer given = answers.front();
    answers.pop_front();
    return given.answer;
  }
  if (otherAnswers) return otherAnswers(question, box).answer;
  throw UnexpectedQuestion(box);
}

}  // namespace test_support
