// What the windows show in message boxes: everything the flow tells or asks
// the user, and the text of an error that stopped a step. Plain boxes and
// error boxes carry the application title as their caption.
#pragma once

#include <string>

#include "run/dialogs.h"

namespace app {

inline constexpr char kApplicationTitle[] = "TransOrvalDAE";

// Derived virtually: one object may also be another Dialogs (the window
// tests add the error box to the tests' recording dialogs).
class WindowDialogs : public virtual run::Dialogs {
 public:
  // The default error handler's box (text in UTF-8).
  virtual void error(const std::string& text) = 0;
};

}  // namespace app
