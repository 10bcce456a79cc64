#include "app/template_panel.h"

#include <QLabel>
#include <QPushButton>

#include "app/gui/controls.h"
#include "app/gui/data_grid.h"
#include "app/gui/table_model.h"

namespace app {

TemplatePanel::TemplatePanel(QWidget* parent) : QFrame(parent) {
  setObjectName("Panel3");
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setAutoFillBackground(true);
  setGeometry(104, 56, 395, 157);

  gui::addLabel(this, "Label12", "Seleccione la Plantilla Horaria a Integrar en Orvalin", {8, 8},
                gui::LabelStyle{gui::kMaroon, true});
  auto* model =
      new gui::TableModel({{"CODIGO", "CODIGO", 9, false}, {"PLANTILLA", "PLANTILLA", 50, false}}, this);
  gui::GridOptions options;
  options.verticalScrollBar = false;
  options.horizontalScrollBar = false;
  m_grid = new gui::DataGrid(model, options, this);
  m_grid->setObjectName("wwDBGridPlantillas");
  m_grid->setGeometry(7, 24, 380, 98);
  m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  connect(model, &gui::TableModel::errorOccurred, this, &TemplatePanel::errorOccurred);

  m_waitNotice =
      gui::addWrappedLabel(this, "LabelEspere2", "RECOGIENDO DATOS PARA ORVALIN -  ESPERE UN MOMENTO ",
                           {1, 134, 397, 13}, gui::LabelStyle{gui::kRed, true});
  m_waitNotice->setWordWrap(false);
  m_waitNotice->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  m_waitNotice->hide();
  m_ok = gui::addButton(this, "BitBtn3", "OK", {156, 128, 89, 25});
  gui::makeDefaultButton(m_ok, this);
  connect(m_ok, &QPushButton::clicked, this, &TemplatePanel::okClicked);
}

void TemplatePanel::setTable(dbase::Table* templates) { m_grid->tableModel()->setTable(templates); }

void TemplatePanel::refresh(bool okVisible, bool waitNoticeVisible) {
  m_grid->reload();
  m_ok->setVisible(okVisible);
  m_waitNotice->setVisible(waitNoticeVisible);
}

void TemplatePanel::focusGrid() { m_grid->setFocus(); }

void TemplatePanel::showWorking() {
  m_ok->hide();
  m_waitNotice->show();
}

}  // namespace app
