#include "app/centre_panel.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/gui/controls.h"
#include "app/gui/data_grid.h"
#include "app/gui/table_model.h"

namespace app {
namespace {

QCheckBox* addCheckBox(QWidget* parent, const char* name, const QString& text, QRect bounds) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(name);
  box->setGeometry(bounds);
  // The label on the left of the box.
  box->setLayoutDirection(Qt::RightToLeft);
  return box;
}

}  // namespace

CentrePanel::CentrePanel(QWidget* parent) : QFrame(parent) {
  setObjectName("Panel1");
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setAutoFillBackground(true);
  setGeometry(6, 34, 465, 110);

  using gui::LabelStyle;
  gui::addLabel(this, "Label7", "Aceptar o Corregir sus Datos del Centro:", {9, 5},
                LabelStyle{gui::kBlue, true});
  gui::addLabel(this, "Label13", "!!! I M P O R T A N T E !!!", {291, 5}, LabelStyle{gui::kRed, true, true});
  gui::addLabel(this, "Label14", "Indique si su Centro es :", {298, 25}, LabelStyle{gui::kBlue, true});

  auto* model = new gui::TableModel({{"CODCENTRO", QString::fromUtf8("Código CENTRO"), 6, true},
                                     {"ANOACAD", QString::fromUtf8("Año Académico"), 4, true},
                                     {"VERSION", QString::fromUtf8("Versión"), 5, true}},
                                    this);
  gui::GridOptions options;
  options.verticalScrollBar = false;
  options.horizontalScrollBar = false;
  m_grid = new gui::DataGrid(model, options, this);
  m_grid->setObjectName("wwDBGridCODCENTRO");
  m_grid->setGeometry(7, 24, 258, 46);
  connect(model, &gui::TableModel::errorOccurred, this, &CentrePanel::errorOccurred);

  m_public =
      addCheckBox(this, "CheckBoxPUBLICO", QString::fromUtf8("de ENTIDAD PÚBLICA:"), {280, 42, 150, 17});
  m_private = addCheckBox(this, "CheckBoxPRIVADO", "PRIVADO o CONCERTADO:", {280, 62, 177, 17});
  connect(m_public, &QCheckBox::clicked, this, &CentrePanel::publicClicked);
  connect(m_private, &QCheckBox::clicked, this, &CentrePanel::privateClicked);

  QPushButton* ok = gui::addButton(this, "BitBtn1", "OK", {224, 83, 89, 24});
  gui::makeDefaultButton(ok, this);
  connect(ok, &QPushButton::clicked, this, &CentrePanel::okClicked);
}

void CentrePanel::focusGrid() { m_grid->setFocus(); }

void CentrePanel::setTable(dbase::Table* centre) { m_grid->tableModel()->setTable(centre); }

void CentrePanel::refresh(bool publicChecked, bool privateChecked) {
  m_grid->reload();
  const QSignalBlocker blockPublic(m_public);
  const QSignalBlocker blockPrivate(m_private);
  m_public->setChecked(publicChecked);
  m_private->setChecked(privateChecked);
}

}  // namespace app
