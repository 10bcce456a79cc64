#include "app/coding_editor_window.h"

#include <string>
#include <string_view>
#include <vector>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/error_handler.h"
#include "app/gui/code_list_delegate.h"
#include "app/gui/controls.h"
#include "app/gui/data_grid.h"
#include "app/gui/table_model.h"
#include "app/help.h"
#include "app/window_dialogs.h"
#include "dae_export/coding_editor.h"
#include "dae_export/coding_rules.h"
#include "support/cp1252.h"

namespace app {
namespace {

using gui::ColumnSpec;

const QColor kNavy{0x00, 0x00, 0x80};

QString fromUtf8(const char* text) { return QString::fromUtf8(text); }

// The grids' common look: two title lines, "DAE" over the columns the user
// fills in, tinted alternate rows, Enter to the next column.
gui::GridOptions gridOptions(int fixedColumns) {
  gui::GridOptions options;
  options.fixedColumns = fixedColumns;
  options.alternateRows = true;
  options.titleLines = 2;
  options.editableColumnsTitle = "DAE";
  options.enterMovesToNextCell = true;
  return options;
}

int columnOf(const gui::DataGrid* grid, std::string_view field) {
  const std::vector<ColumnSpec>& columns = grid->tableModel()->columns();
  for (std::size_t column = 0; column < columns.size(); ++column) {
    if (columns[column].field == field) return static_cast<int>(column);
  }
  return -1;
}

void saveRow(dbase::Table& table) {
  if (table.state() != dbase::EditState::Browse) table.post();
}

QLabel* heading(QWidget* parent, const char* name, const QString& text, gui::LabelStyle style) {
  return gui::addLabel(parent, name, text, {0, 0}, style);
}

// A grid's title with its reminder in red beside it.
QHBoxLayout* titleRow(QWidget* parent, const char* titleName, const QString& title, const char* reminderName,
                      const QString& reminder) {
  auto* row = new QHBoxLayout;
  row->addWidget(heading(parent, titleName, title, {gui::kGreen, true, true}));
  row->addSpacing(24);
  row->addWidget(heading(parent, reminderName, reminder, {gui::kRed, true, false}));
  row->addStretch();
  return row;
}

}  // namespace

CodingEditorWindow::CodingEditorWindow(dae_export::CodingEditor& editor, WindowDialogs& dialogs,
                                       HelpService* help, QWidget* parent)
    : gui::NoEscapeDialog(parent), m_editor(editor), m_dialogs(dialogs) {
  setObjectName("AjustaDAE");
  setWindowTitle(fromUtf8("CODIFICACIÓN Datos DAE"));
  setFont(gui::windowFont());
  setHelpContext(this, kDaeDataHelpContext);
  installHelpKey(this, help);

  auto* page = new QVBoxLayout(this);
  QLabel* title = heading(this, "Label1", fromUtf8("AJUSTES Y CODIFICACION DE DATOS EXPORTACIÓN PARA D.A.E."),
                          {gui::kBlue, true, false});
  title->setFont(gui::headingFont());
  page->addWidget(title);
  QLabel* instruction = heading(
      this, "Label2",
      fromUtf8(
          "Deberán CODIFICAR los Datos del DAE necesarios, si no tienen contenido. El Tipo Documento y el "
          "DNI de los PROFESORES. Y si fuese necesario, la ACTIVIDAD en los Registros de TIPO 2, y el "
          "Núm.Alumnos en los Registros de TIPO 3."),
      {kNavy, true, false});
  instruction->setWordWrap(true);
  page->addWidget(instruction);
  page->addWidget(buildCentreBoxes());

  page->addWidget(heading(this, "Label6", "PROFESORES", {gui::kGreen, true, true}));
  buildTeachersGrid();
  page->addWidget(m_teachers, 3);

  page->addLayout(titleRow(this, "Label7", "REGISTROS de TIPO 2 - Asignaturas del Profesor.", "Label8",
                           "Si la TAREA  NO es \"Lectiva\",  ACTIV. debe tener contenido. "));
  buildSessionsGrid();
  page->addWidget(m_sessions, 4);
  page->addLayout(
      titleRow(this, "Label9", "REGISTROS de TIPO 3 - Alumnos del Grupo.", "Label10",
               fromUtf8("El PLAN se rellenará automáticamente, después de seleccionar el NIVEL.")));
  buildGroupsGrid();
  page->addWidget(m_groups, 2);

  auto* finish = gui::addButton(this, "BitBtn1", "&Terminar", {0, 0, 89, 25}, gui::ButtonGlyph::Ok);
  finish->setMinimumSize(89, 25);
  connect(finish, &QPushButton::clicked, this, &CodingEditorWindow::Terminar);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(finish);
  page->addLayout(buttons);

  resize(940, 700);
  m_teachers->setFocus();
}

QWidget* CodingEditorWindow::buildCentreBoxes() {
  auto* boxes = new QWidget(this);
  auto* row = new QHBoxLayout(boxes);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(heading(boxes, "Label3", "Datos del Centro:", {gui::kBlue, true, false}));
  struct Box {
    const char* name;
    const char* caption;
    const char* field;
    int characters;
  };
  const Box shown[] = {{"DBEditCODECENTRO", "Cód.Centro", "CODCENTRO", 8},
                       {"DBEditANOACAD", "Año Académico", "ANOACAD", 6},
                       {"DBEditVERSION", "Versión", "VERSION", 7}};
  const dbase::Table& centre = m_editor.tables().centre;
  for (const Box& box : shown) {
    row->addSpacing(12);
    row->addWidget(new QLabel(fromUtf8(box.caption), boxes));
    auto* value = new QLineEdit(boxes);
    value->setObjectName(box.name);
    value->setReadOnly(true);
    value->setFixedWidth(box.characters * fontMetrics().horizontalAdvance(QLatin1Char('0')) + 10);
    if (!centre.atEnd())
      value->setText(QString::fromStdString(support::cp1252ToUtf8(centre.text(box.field))));
    row->addWidget(value);
  }
  row->addStretch();
  return boxes;
}

gui::TableModel* CodingEditorWindow::makeModel(std::vector<gui::ColumnSpec> columns) {
  auto* model = new gui::TableModel(std::move(columns), this);
  connect(model, &gui::TableModel::errorOccurred, this,
          [this](const QString& text) { m_dialogs.error(text.toStdString()); });
  return model;
}

gui::DataGrid* CodingEditorWindow::makeGrid(const char* name, std::vector<gui::ColumnSpec> columns,
                                            int fixedColumns) {
  auto* grid = new gui::DataGrid(makeModel(std::move(columns)), gridOptions(fixedColumns), this);
  grid->setObjectName(name);
  return grid;
}

gui::CodeListDelegate* CodingEditorWindow::addCodeList(gui::DataGrid* grid, std::string_view field,
                                                       dbase::Table& codes,
                                                       const std::vector<std::string>& listed) {
  std::vector<ColumnSpec> columns;
  for (const std::string& name : listed) columns.push_back({name, QString::fromStdString(name), 0, false});
  gui::TableModel* model = makeModel(std::move(columns));
  model->setTable(&codes);
  auto* delegate = new gui::CodeListDelegate(model, grid);
  grid->setItemDelegateForColumn(columnOf(grid, field), delegate);
  return delegate;
}

void CodingEditorWindow::afterList(gui::CodeListDelegate* list, void (*rule)(dae_export::CodingTables&)) {
  connect(list, &QAbstractItemDelegate::closeEditor, this, [this, rule] {
    runRule([this, rule] {
      rule(m_editor.tables());
      // Saved at once, as every value typed in the grids is.
      saveRow(m_editor.tables().sessions);
    });
    m_sessions->reload();
  });
}

void CodingEditorWindow::buildTeachersGrid() {
  dae_export::CodingTables& tables = m_editor.tables();
  m_teachers = makeGrid("wwDBGridPROFT",
                        {{"ABREV", "Profesor", 12, false},
                         {"NOMBRE", "Nombre", 50, false},
                         {"DEPART", "Departamento", 32, false},
                         {"TIPODNI", "TipoDOC", 8, true},
                         {"DNI", "DOCUMENTO D.N.I.", 15, true}},
                        3);
  gui::TableModel* model = m_teachers->tableModel();
  addCodeList(m_teachers, "TIPODNI", tables.documentTypes, {"COD", "DESCCAST", "DESCEUSK"});
  model->setTable(&tables.teachers);
  m_teachers->reload();
  connect(m_teachers, &gui::DataGrid::rowChanged, this, &CodingEditorWindow::showTeacher);
  // Every value typed for a teacher (its document) goes to its records.
  connect(model, &QAbstractItemModel::dataChanged, this, [this] {
    // Saving the teacher's row took its records' views back to their first
    // records; they return to the rows the grids show first.
    m_sessions->tableModel()->setCurrentRow(m_sessions->currentIndex().row());
    m_groups->tableModel()->setCurrentRow(m_groups->currentIndex().row());
    runRule([this] { dae_export::propagateTeacherDocument(m_editor.tables()); });
    showTeacher();
  });
}

void CodingEditorWindow::buildSessionsGrid() {
  dae_export::CodingTables& tables = m_editor.tables();
  m_sessions = makeGrid("DBGridCUADROH2",
                        {{"ABREVPROF", "Profe.", 12, false},
                         {"DIASEM", fromUtf8("Día"), 3, false},
                         {"NUMSESION", fromUtf8("Sesión"), 6, false},
                         {"HORAINI", "H.INI.", 6, false},
                         {"HORAFIN", "H. FIN", 6, false},
                         {"ABREVASIG", "Asignatura", 10, false},
                         {"NOMASIG", "Nombre ASIGNATURA", 34, false},
                         {"CODASIG", fromUtf8("Cód.ASIG"), 9, true},
                         {"TIPTAR", "TAREA", 6, true},
                         {"GRUPNIV", "NIVEL", 8, true},
                         {"IDIOMA", "IDIOMA", 7, true},
                         {"TIP_ACTIV", "ACTIV.", 6, true},
                         {"PLAN", "PLAN", 4, true}},
                        7);
  gui::TableModel* model = m_sessions->tableModel();
  model->mirrorLink(tables.teachers, "ABREV", "ABREVPROF");

  // On a teaching line only the subject may be changed, on any other line
  // only the activity: the list that may not be used says so and stays shut.
  const auto onCurrentLine = [this, model](const QModelIndex& index,
                                           bool (*enter)(const dbase::Table&, run::Dialogs&)) {
    model->setCurrentRow(index.row());
    bool usable = false;
    runRule([&] { usable = enter(m_editor.tables().sessions, m_dialogs); });
    return usable;
  };
  gui::CodeListDelegate* subjects =
      addCodeList(m_sessions, "CODASIG", tables.subjects, {"COD", "DESCCAST", "DESCEUSK"});
  subjects->setOpenGuard([onCurrentLine](const QModelIndex& index) {
    return onCurrentLine(index, &dae_export::enterSubjectList);
  });
  afterList(subjects, &dae_export::takeSubjectName);
  addCodeList(m_sessions, "TIPTAR", tables.taskTypes, {"COD", "DESCCAST", "DESCEUSK"});
  gui::CodeListDelegate* levels =
      addCodeList(m_sessions, "GRUPNIV", tables.levels, {"COD", "DESCCASTR", "DESCEUSKR"});
  afterList(levels, &dae_export::takePlanFromLevel);
  addCodeList(m_sessions, "IDIOMA", tables.languages, {"IDIOMA", "DESCCASTR", "DESCEUSKR"});
  gui::CodeListDelegate* activities =
      addCodeList(m_sessions, "TIP_ACTIV", tables.activities, {"COD", "DESCCASTR", "DESCEUSKR"});
  activities->setOpenGuard([onCurrentLine](const QModelIndex& index) {
    return onCurrentLine(index, &dae_export::enterActivityList);
  });

  model->setTable(&tables.sessions);
  m_sessions->reload();
  connect(m_sessions, &gui::DataGrid::rowChanged, this, &CodingEditorWindow::showSession);
}

void CodingEditorWindow::buildGroupsGrid() {
  dae_export::CodingTables& tables = m_editor.tables();
  m_groups = makeGrid("DBGridCUADROH3",
                      {{"ABREVGRUP", "Grupo", 12, false},
                       {"CODGRUPO", fromUtf8("Cód.GRUP."), 8, false},
                       {"ALIASDAE", "Grupo ALIAS DAE", 25, false},
                       {"NUMALUM", fromUtf8("Núm.Alumnos"), 10, true}},
                      3);
  gui::TableModel* model = m_groups->tableModel();
  model->mirrorLink(tables.sessions, "PROF_DIA_SES", "PROF_DIA_SES");
  model->setTable(&tables.sessionGroups);
  m_groups->reload();
}

void CodingEditorWindow::runRule(const std::function<void()>& rule) { runGuarded(m_dialogs, rule); }

void CodingEditorWindow::showTeacher() {
  m_sessions->reload();
  showSession();
}

void CodingEditorWindow::showSession() { m_groups->reload(); }

void CodingEditorWindow::Terminar() {
  for (gui::DataGrid* grid : {m_teachers, m_sessions, m_groups}) grid->finishEditing(true);
  bool closes = false;
  runRule([&] { closes = m_editor.Terminar(); });
  if (closes) {
    accept();
    return;
  }
  // The editor stays open on the teacher still without a document.
  m_teachers->reload();
  showTeacher();
  const int row = m_teachers->tableModel()->currentRow();
  if (row >= 0) m_teachers->setCurrentIndex(m_teachers->model()->index(row, columnOf(m_teachers, "DNI")));
  m_teachers->setFocus();
}

}  // namespace app
