// The DAE coding editor, "CODIFICACIÓN Datos DAE": the centre's data, the
// teachers with their identity documents, the type-2 records (what the
// current teacher does in each session) and the type-3 records (the groups of
// the current session), where the user fills in the DAE codes the timetable
// lacks, choosing them from drop-down lists of the DAE code tables; and
// "&Terminar", which checks the documents and writes the DAE timetable file.
//
// The window only shows and edits the editor's tables; what an edit implies
// (a teacher's document copied into all of the teacher's records, which code
// a line lets the user change, the subject name and the plan that follow a
// choice, the check at "&Terminar") is the core's coding rules. Every value
// typed is saved at once; a failed save or rule shows the error box and the
// window stays as it was.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/gui/no_escape_dialog.h"
#include "app/gui/table_model.h"

namespace dae_export {
class CodingEditor;
struct CodingTables;
}  // namespace dae_export
namespace dbase {
class Table;
}  // namespace dbase

namespace app {

namespace gui {
class CodeListDelegate;
class DataGrid;
}  // namespace gui
class HelpService;
class WindowDialogs;

// Escape does not close the editor: leaving it unfinished ends the import
// without the file, so that takes the close button or "&Terminar".
class CodingEditorWindow : public gui::NoEscapeDialog {
  Q_OBJECT

 public:
  // editor's tables are open; help may be null. The window closes itself
  // when "&Terminar" ends the editor.
  CodingEditorWindow(dae_export::CodingEditor& editor, WindowDialogs& dialogs, HelpService* help,
                     QWidget* parent);

 private:
  // A model reporting its errors in the error box.
  gui::TableModel* makeModel(std::vector<gui::ColumnSpec> columns);
  gui::DataGrid* makeGrid(const char* name, std::vector<gui::ColumnSpec> columns, int fixedColumns);
  // Makes the grid's column a drop-down list of the code table, listing
  // those fields (the first is the code stored).
  gui::CodeListDelegate* addCodeList(gui::DataGrid* grid, std::string_view field, dbase::Table& codes,
                                     const std::vector<std::string>& listed);
  // Applies rule to the type-2 record whenever the list closes.
  void afterList(gui::CodeListDelegate* list, void (*rule)(dae_export::CodingTables&));
  QWidget* buildCentreBoxes();
  void buildTeachersGrid();
  void buildSessionsGrid();
  void buildGroupsGrid();
  // Runs a coding rule through the default error handler.
  void runRule(const std::function<void()>& rule);
  // The current teacher or session changed: its details are shown again.
  void showTeacher();
  void showSession();
  // "&Terminar" (BitBtn1Click).
  void Terminar();

  dae_export::CodingEditor& m_editor;
  WindowDialogs& m_dialogs;
  gui::DataGrid* m_teachers = nullptr;
  gui::DataGrid* m_sessions = nullptr;
  gui::DataGrid* m_groups = nullptr;
};

}  // namespace app
