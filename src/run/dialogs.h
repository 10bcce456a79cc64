// How the core asks the user something or tells them something. The window
// front end shows message boxes; the batch front end prints the texts and
// answers from its options; tests record the texts and script the answers.
// Texts are UTF-8, exactly as the user is to read them.
#pragma once

#include <string>

namespace dbase {
class Table;
}  // namespace dbase

namespace dae_export {
class CodingEditor;
}  // namespace dae_export

namespace run {

// The answer to a Yes/No confirmation. Closing the box with its title-bar
// button or Escape chooses neither: Closed, an answer of its own, which
// never destroys what the user has done.
enum class Answer { Yes, No, Closed };

// The help topics a box offers on F1, by the help pages' context numbers.
inline constexpr int kNoHelpContext = 0;
// The DAE data: the language box, the import's windows and their questions.
inline constexpr int kDaeDataHelpContext = 1;
// The main window and its controls.
inline constexpr int kMainHelpContext = 3;

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A plain information box with an OK button.
  virtual void message(const std::string& text) = 0;
  // A confirmation with Yes and No buttons; F1 over it shows the help topic
  // helpContext (kNoHelpContext: none).
  virtual Answer askYesNo(const std::string& text, int helpContext) = 0;
  // A question with OK and Cancel buttons and its own caption; true for OK
  // (closing the box counts as Cancel).
  virtual bool askOkCancel(const std::string& caption, const std::string& text) = 0;

  // The class-hour check window "Control de Plantilla Horaria" over
  // PLANTILLA (classHours: bound, closed): the user may correct the start and
  // end times; returns when the window closes. By default the hours are
  // accepted as shown.
  virtual void checkClassHours(dbase::Table& classHours) {}
  // The DAE coding editor "CODIFICACIÓN Datos DAE", modal over the editor's
  // open tables; returns when the window closes. Where no one edits (the
  // batch front end, the tests), "&Terminar" is pressed once; the import
  // closes the editor's tables afterwards in any case.
  virtual void runCodingEditor(dae_export::CodingEditor& editor) = 0;
};

}  // namespace run
