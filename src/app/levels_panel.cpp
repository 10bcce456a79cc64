#include "app/levels_panel.h"

#include <QPushButton>

#include <utility>

#include "app/gui/controls.h"
#include "app/gui/data_grid.h"
#include "app/gui/table_model.h"
#include "app/template_panel.h"

namespace app {

LevelsPanel::LevelsPanel(std::function<bool()> confirmDelete, QWidget* parent) : QFrame(parent) {
  setObjectName("Panel2");
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setAutoFillBackground(true);
  setGeometry(6, 1, 587, 267);

  using gui::LabelStyle;
  gui::addLabel(this, "Label10", "NIVELES DE ESTUDIOS", {3, 9}, LabelStyle{gui::kGreen, true, true});
  gui::addWrappedLabel(
      this, "Label8",
      "Escriba las Abreviaturas (hasta 5 caracteres) en Castellano y / o Euskera, de los NIVELES "
      "de Estudio que se imparten en el Centro. ",
      {151, 2, 426, 26}, LabelStyle{gui::kBlue, true});
  gui::addLabel(this, "Label11",
                QString::fromUtf8("ATENCIÓN - Las Abreviaturas deben ser distintas, y no repetirse. "),
                {153, 29}, LabelStyle{gui::kRed, true});

  auto* model = new gui::TableModel({{"COD", "COD", 5, false},
                                     {"DESCCASTR", "DESCCASTELLANO", 22, false},
                                     {"ABREVCAST", "ABREVCAST", 5, true},
                                     {"DESCEUSKR", "DESCEUSKERA", 22, false},
                                     {"ABREVEUSK", "ABREVEUSK", 5, true}},
                                    this);
  gui::GridOptions options;
  options.fixedColumns = 1;
  options.alternateRows = true;
  options.horizontalScrollBar = false;
  options.confirmDelete = std::move(confirmDelete);
  m_grid = new gui::DataGrid(model, options, this);
  m_grid->setObjectName("wwDBGridNIVIMP");
  m_grid->setGeometry(43, 45, 502, 191);
  connect(model, &gui::TableModel::errorOccurred, this, &LevelsPanel::errorOccurred);

  connect(gui::addButton(this, "Button2", "Volver a Datos Centro", {352, 238, 115, 25}),
          &QPushButton::clicked, this, &LevelsPanel::backClicked);
  QPushButton* accept = gui::addButton(this, "BitBtn2", "Aceptar", {488, 238, 89, 25});
  gui::makeDefaultButton(accept, this);
  connect(accept, &QPushButton::clicked, this, &LevelsPanel::acceptClicked);

  m_templates = new TemplatePanel(this);
  m_templates->hide();
  connect(m_templates, &TemplatePanel::errorOccurred, this, &LevelsPanel::errorOccurred);
}

void LevelsPanel::setTables(dbase::Table* levels, dbase::Table* templates) {
  m_grid->tableModel()->setTable(levels);
  m_templates->setTable(templates);
}

void LevelsPanel::refresh() { m_grid->reload(); }

void LevelsPanel::focusGrid() { m_grid->setFocus(); }

}  // namespace app
