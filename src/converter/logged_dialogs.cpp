#include "converter/logged_dialogs.h"

#include <utility>

namespace converter {
namespace {

const char* answerText(run::Answer answer) {
  switch (answer) {
    case run::Answer::Yes:
      return " -> Yes";
    case run::Answer::No:
      return " -> No";
    case run::Answer::Closed:
      break;
  }
  return " -> cerrada sin responder";
}

}  // namespace

LoggedDialogs::LoggedDialogs(run::Dialogs& shown, run::RunLog& log, std::function<void()> beforeBox)
    : shown_(shown), log_(log), beforeBox_(std::move(beforeBox)) {}

void LoggedDialogs::message(const std::string& text) {
  log_.add("mensaje: " + text);
  beforeBox_();
  shown_.message(text);
}

run::Answer LoggedDialogs::askYesNo(const std::string& text, int helpContext) {
  beforeBox_();
  const run::Answer answer = shown_.askYesNo(text, helpContext);
  log_.add("pregunta: " + text + answerText(answer));
  return answer;
}

bool LoggedDialogs::askOkCancel(const std::string& caption, const std::string& text) {
  beforeBox_();
  const bool ok = shown_.askOkCancel(caption, text);
  log_.add("pregunta: " + caption + ": " + text + (ok ? " -> OK" : " -> Cancel"));
  return ok;
}

void LoggedDialogs::checkClassHours(dbase::Table& classHours) {
  log_.add("ventana: Control de Plantilla Horaria");
  beforeBox_();
  shown_.checkClassHours(classHours);
}

void LoggedDialogs::runCodingEditor(dae_export::CodingEditor& editor) {
  log_.add("ventana: CODIFICACIÓN Datos DAE");
  beforeBox_();
  shown_.runCodingEditor(editor);
}

}  // namespace converter
