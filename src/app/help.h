// Help for the windows. The help pages are HTML files in the help folder
// beside the executable (help_viewer.h); a help viewer behind HelpService
// shows their contents (the "F1 AYUDA" button) or the page of a help context
// number (the F1 key: the context of the focused control or of its nearest
// enclosing control that has one). Without a viewer, help requests do
// nothing.
#pragma once

#include "run/dialogs.h"

class QWidget;

namespace app {

// The help context numbers the windows use.
using run::kDaeDataHelpContext;
using run::kMainHelpContext;

class HelpService {
 public:
  virtual ~HelpService() = default;
  virtual void showContents() = 0;
  virtual void showTopic(int context) = 0;
};

void setHelpContext(QWidget* widget, int context);
// The help context of widget or of its nearest ancestor with one; 0: none.
int helpContextOf(const QWidget* widget);

// Makes F1 in window ask help for the topic of the focused control.
// help may be null (no viewer).
void installHelpKey(QWidget* window, HelpService* help);

}  // namespace app
