// How the core asks the user something or tells them something. The window
// front end shows message boxes; the batch front end prints the texts and
// answers from its options; tests record the texts and script the answers.
// Texts are UTF-8, exactly as the user is to read them.
#pragma once

#include <string>

namespace converter {

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A plain information box with an OK button.
  virtual void message(const std::string& text) = 0;
  // A confirmation with Yes and No buttons; true for Yes.
  virtual bool askYesNo(const std::string& text) = 0;
  // A question with OK and Cancel buttons and its own caption; true for OK.
  virtual bool askOkCancel(const std::string& caption, const std::string& text) = 0;
};

}  // namespace converter
