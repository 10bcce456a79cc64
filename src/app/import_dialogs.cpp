// The two windows of the import, shown modally over the dialogs' window: the
// class-hour check and the DAE coding editor.
#include "app/class_hours_window.h"
#include "app/coding_editor_window.h"
#include "app/message_box_dialogs.h"

namespace app {

void MessageBoxDialogs::checkClassHours(dbase::Table& classHours) {
  ClassHoursWindow window(classHours, *this, m_help, m_parent);
  window.exec();
}

void MessageBoxDialogs::runCodingEditor(dae_export::CodingEditor& editor) {
  CodingEditorWindow window(editor, *this, m_help, m_parent);
  window.exec();
}

}  // namespace app
