// The class-hour check of the import, "Control de Plantilla Horaria": the
// hours of PLANTILLA (hour number, start and end time) in a grid where the
// user corrects the start and end times, a navigator bar, and "Aceptar". Every
// value typed is saved in the table at once, so closing the window by its
// close button keeps the corrections as "Aceptar" does; Escape does not close
// it. F1 shows the help topic of the control under the cursor.
#pragma once

#include "app/gui/no_escape_dialog.h"

namespace dbase {
class Table;
}  // namespace dbase

namespace app {

class HelpService;
class WindowDialogs;

class ClassHoursWindow : public gui::NoEscapeDialog {
  Q_OBJECT

 public:
  // Opens classHours (bound to PLANTILLA, closed) for the window's life; the
  // caller closes it afterwards. Table errors go to dialogs' error box.
  // help may be null.
  ClassHoursWindow(dbase::Table& classHours, WindowDialogs& dialogs, HelpService* help, QWidget* parent);
};

}  // namespace app
